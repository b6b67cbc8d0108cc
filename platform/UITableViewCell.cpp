#include "platform/UITableViewCell.h"

#include "platform/UIControl.h"
#include "platform/UITableView.h"

#include <algorithm>

std::shared_ptr<UITableViewCell> UITableViewCell::initWithStyle_reuseIdentifier(UITableViewCellStyle style,
                                                                                const std::string& reuseIdentifier) {
    UIView::initWithFrame(CGRectMake(0, 0, 320, UITableView::kDefaultRowHeight));
    _style = style;
    _reuseIdentifier = reuseIdentifier;
    setBackgroundColor(UIColor::whiteColor());
    _contentView = alloc<UIView>()->initWithFrame(bounds());
    addSubview(_contentView);
    _imageView = alloc<UIImageView>()->initWithFrame(CGRectZero);
    _contentView->addSubview(_imageView);
    _textLabel = alloc<UILabel>()->initWithFrame(CGRectZero);
    _contentView->addSubview(_textLabel);
    if (style != UITableViewCellStyle::Default) {
        _detailTextLabel = alloc<UILabel>()->initWithFrame(CGRectZero);
        _detailTextLabel->setTextColor(UIColor::colorWithRed_green_blue_alpha(0.56, 0.56, 0.58, 1));
        _detailTextLabel->setFontSize(style == UITableViewCellStyle::Subtitle ? 12 : 17);
        _contentView->addSubview(_detailTextLabel);
    }
    return self<UITableViewCell>();
}

void UITableViewCell::setAccessoryView(std::shared_ptr<UIView> view) {
    if (_accessoryView) _accessoryView->removeFromSuperview();
    _accessoryView = std::move(view);
    if (_accessoryView) addSubview(_accessoryView);
    setNeedsLayout();
}

namespace {

// The chevron of a row that opens a page; the tick of the chosen row of a list, in the tint.
std::shared_ptr<UILabel> accessoryTypeLabel(UITableViewCellAccessoryType type) {
    auto label = alloc<UILabel>()->initWithFrame(CGRectMake(0, 0, 14, 20));
    if (type == UITableViewCellAccessoryType::Checkmark) {
        label->setText("\u2713");
        label->setTextColor(nullptr);
        label->setAccessibilityLabel("Checkmark");
        return label;
    }
    label->setFrame(CGRectMake(0, 0, 10, 20));
    label->setText("\u203A");
    label->setFontSize(22);
    label->setTextColor(UIColor::colorWithRed_green_blue_alpha(0.78, 0.78, 0.8, 1));
    label->setAccessibilityLabel("Disclosure");
    return label;
}

} // namespace

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    _accessoryType = type;
    if (_accessoryTypeView) _accessoryTypeView->removeFromSuperview();
    _accessoryTypeView = nullptr;
    if (type == UITableViewCellAccessoryType::DisclosureIndicator || type == UITableViewCellAccessoryType::Checkmark) {
        _accessoryTypeView = accessoryTypeLabel(type);
        addSubview(_accessoryTypeView);
    }
    setNeedsLayout();
}

void UITableViewCell::setSelected_animated(bool selected, bool) {
    _selected = selected && _selectionStyle != UITableViewCellSelectionStyle::None;
}

void UITableViewCell::layoutSubviews() {
    CGRect cellBounds = bounds();
    // An accessory view wins over the accessory type, as on the phone.
    std::shared_ptr<UIView> accessory = _accessoryView ? _accessoryView : _accessoryTypeView;
    if (_accessoryTypeView) _accessoryTypeView->setHidden(_accessoryView != nullptr);
    CGFloat right = cellBounds.width();
    if (accessory) {
        CGSize size = accessory->frame().size;
        right = cellBounds.width() - kMargin - size.width;
        accessory->setFrame(CGRectMake(right, (cellBounds.height() - size.height) / 2, size.width, size.height));
    }
    _contentView->setFrame(CGRectMake(0, 0, right, cellBounds.height()));
    CGFloat left = kMargin;
    if (auto image = _imageView->image()) {
        CGSize size = image->size();
        _imageView->setFrame(CGRectMake(kMargin, (cellBounds.height() - size.height) / 2, size.width, size.height));
        left = _imageView->frame().maxX() + kMargin;
    } else {
        _imageView->setFrame(CGRectZero);
    }
    layoutLabels(left, right - (accessory ? 8 : kMargin));
}

void UITableViewCell::layoutLabels(CGFloat left, CGFloat right) {
    CGFloat height = bounds().height();
    CGFloat width = std::max<CGFloat>(0, right - left);
    bool hasDetail = _detailTextLabel && !_detailTextLabel->text().empty();
    switch (_style) {
    case UITableViewCellStyle::Default:
        _textLabel->setFrame(CGRectMake(left, 0, width, height));
        return;
    case UITableViewCellStyle::Value1: {
        // Title and value share the row by their lengths, as the phone gives a
        // short value's room to a long title and the other way round.
        CGFloat titleWidth = width * shareOfTitle(height);
        _textLabel->setFrame(CGRectMake(left, 0, titleWidth, height));
        _detailTextLabel->setTextAlignment(NSTextAlignment::Right);
        _detailTextLabel->setFrame(CGRectMake(left + titleWidth, 0, width - titleWidth, height));
        return;
    }
    case UITableViewCellStyle::Value2:
        _textLabel->setFrame(CGRectMake(left, 0, width / 2, height));
        _detailTextLabel->setTextAlignment(NSTextAlignment::Right);
        _detailTextLabel->setFrame(CGRectMake(left + width / 2, 0, width / 2, height));
        return;
    case UITableViewCellStyle::Subtitle:
        if (!hasDetail) {
            _textLabel->setFrame(CGRectMake(left, 0, width, height));
            _detailTextLabel->setFrame(CGRectMake(left, height, width, 0));
            return;
        }
        _textLabel->setFrame(CGRectMake(left, 4, width, height * 0.55));
        _detailTextLabel->setFrame(CGRectMake(left, 4 + height * 0.55, width, height * 0.4));
        return;
    }
}

// The part of a value row's width its title takes: in proportion to the
// lengths of title and value, so an error of the measure falls on both alike.
double UITableViewCell::shareOfTitle(CGFloat height) const {
    constexpr CGFloat kUnbounded = 1e6;
    CGFloat title = _textLabel->sizeThatFits(CGSizeMake(kUnbounded, height)).width;
    CGFloat value = _detailTextLabel->sizeThatFits(CGSizeMake(kUnbounded, height)).width;
    if (value <= 0) return 1;
    if (title <= 0) return 0;
    return title / (title + value);
}

namespace {

bool showsText(const UIView& view) {
    auto label = dynamic_cast<const UILabel*>(&view);
    // A text with a label of its own (the chevron) shows a picture, not words.
    if (label && label->accessibilityLabel().empty() && label->text().find_first_not_of(' ') != std::string::npos) {
        return true;
    }
    return std::ranges::any_of(view.subviews(),
                               [](const auto& subview) { return !subview->isHidden() && showsText(*subview); });
}

// A switch, a button or an inner table's row takes the tap before the row does.
bool holdsOwnTapTarget(const UIView& view) {
    return std::ranges::any_of(view.subviews(), [](const auto& subview) {
        if (subview->isHidden()) return false;
        const UIView* inner = subview.get();
        if (dynamic_cast<const UIControl*>(inner) || dynamic_cast<const UITableViewCell*>(inner)) return true;
        return holdsOwnTapTarget(*subview);
    });
}

} // namespace

// A row of pictures only or one that takes no touch does nothing when tapped.
UIAccessibilityTraits UITableViewCell::accessibilityTraits() const {
    UIAccessibilityTraits traits = UIView::accessibilityTraits();
    if (_accessoryType == UITableViewCellAccessoryType::Checkmark) traits |= UIAccessibilityTraitSelected;
    bool actsByItself = isUserInteractionEnabled() && showsText(*this) && !holdsOwnTapTarget(*this);
    if (actsByItself) traits |= UIAccessibilityTraitButton;
    return traits;
}

bool UITableViewCell::handleTap(CGPoint) {
    auto table = std::dynamic_pointer_cast<UITableView>(superview());
    if (!table) return false;
    table->didTapCell(self<UITableViewCell>());
    return true;
}
