#include "platform/UITableViewHeaderFooterView.h"

#include "platform/UITableViewCell.h"

namespace {
constexpr CGFloat kHeaderTextHeight = 20;
constexpr CGFloat kHeaderBottomGap = 6;
constexpr CGFloat kFooterTopGap = 7;
} // namespace

std::shared_ptr<UITableViewHeaderFooterView> UITableViewHeaderFooterView::initWithTitle(const std::string& title,
                                                                                        Kind kind,
                                                                                        NSTextAlignment alignment) {
    initWithFrame(CGRectZero);
    _kind = kind;
    _textLabel = alloc<UILabel>()->initWithFrame(CGRectZero);
    _textLabel->setText(title);
    _textLabel->setFontSize(13);
    _textLabel->setNumberOfLines(kind == Kind::Header ? 1 : 0);
    _textLabel->setTextAlignment(alignment);
    _textLabel->setTextColor(UIColor::colorWithRed_green_blue_alpha(0.43, 0.43, 0.45, 1));
    if (kind == Kind::Header) _textLabel->setAccessibilityTraits(UIAccessibilityTraitHeader);
    addSubview(_textLabel);
    return self<UITableViewHeaderFooterView>();
}

void UITableViewHeaderFooterView::layoutSubviews() {
    CGFloat margin = UITableViewCell::kMargin;
    CGFloat width = frame().width() - 2 * margin;
    if (_kind == Kind::Header) {
        CGFloat top = frame().height() - kHeaderTextHeight - kHeaderBottomGap;
        _textLabel->setFrame(CGRectMake(margin, std::max<CGFloat>(0, top), width, kHeaderTextHeight));
        return;
    }
    _textLabel->setFrame(CGRectMake(margin, kFooterTopGap, width, frame().height() - kFooterTopGap));
}
