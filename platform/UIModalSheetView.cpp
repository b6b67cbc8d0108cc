#include "platform/UIModalSheetView.h"

#include "platform/BlockTarget.h"
#include <algorithm>
#include <limits>

namespace {

constexpr CGFloat kCenteredCardWidth = 270;
constexpr CGFloat kPadding = 16;
constexpr CGFloat kButtonHeight = 44;

CGFloat textHeight(const UILabel& label, CGFloat width) {
    return label.sizeThatFits(CGSizeMake(width, std::numeric_limits<CGFloat>::infinity())).height;
}

} // namespace

std::shared_ptr<UIModalSheetView> UIModalSheetView::initWithPlacement(Placement placement) {
    initWithFrame(CGRectZero);
    _placement = placement;
    setBackgroundColor(UIColor::colorWithRed_green_blue_alpha(0, 0, 0, placement == Placement::FullScreen ? 0 : 0.4));
    _card = alloc<UIView>()->initWithFrame(CGRectZero);
    _card->setBackgroundColor(UIColor::colorWithRed_green_blue_alpha(0.97, 0.97, 0.97, 1));
    addSubview(_card);
    return self<UIModalSheetView>();
}

void UIModalSheetView::addText(const std::string& text, double fontSize, bool bold) {
    auto label = alloc<UILabel>()->initWithFrame(CGRectZero);
    label->setText(text);
    label->setFontSize(fontSize);
    label->setBold(bold);
    label->setNumberOfLines(0);
    // The first text (an alert's title, the shared text) names the sheet.
    if (_texts.empty()) setAccessibilityLabel(text);
    label->setTextAlignment(_placement == Placement::FullScreen ? NSTextAlignment::Left : NSTextAlignment::Center);
    _texts.push_back(label);
    _card->addSubview(label);
    setNeedsLayout();
}

void UIModalSheetView::addButton(Button button) {
    auto view = alloc<UIButton>()->initWithFrame(CGRectZero);
    view->setTitle(button.title);
    view->titleLabel()->setBold(button.bold);
    if (button.destructive) view->setTitleColor(UIColor::colorWithRed_green_blue_alpha(1, 0.23, 0.19, 1));
    auto target = std::make_shared<BlockTarget>(std::move(button.onTap));
    view->addTarget_action_forControlEvents(target, BlockTarget::action(), UIControlEvents::TouchUpInside);
    _buttonTargets.push_back(target);
    _buttons.push_back(view);
    _card->addSubview(view);
    setNeedsLayout();
}

CGFloat UIModalSheetView::cardWidth() const {
    if (_placement == Placement::Centered) return std::min(kCenteredCardWidth, frame().width() - 2 * kPadding);
    if (_placement == Placement::Bottom) return frame().width() - 2 * kPadding / 2;
    return frame().width();
}

CGFloat UIModalSheetView::layoutCardContents(CGFloat width) {
    CGFloat y = kPadding;
    for (const auto& label : _texts) {
        CGFloat height = textHeight(*label, width - 2 * kPadding);
        label->setFrame(CGRectMake(kPadding, y, width - 2 * kPadding, height));
        y += height + kPadding / 2;
    }
    y += kPadding / 2;
    for (const auto& button : _buttons) {
        button->setFrame(CGRectMake(0, y, width, kButtonHeight));
        y += kButtonHeight;
    }
    return y;
}

void UIModalSheetView::layoutSubviews() {
    CGFloat width = cardWidth();
    CGFloat height = layoutCardContents(width);
    CGRect bounds = this->bounds();
    switch (_placement) {
    case Placement::Centered:
        _card->setFrame(CGRectMake((bounds.width() - width) / 2, (bounds.height() - height) / 2, width, height));
        return;
    case Placement::Bottom:
        _card->setFrame(CGRectMake((bounds.width() - width) / 2, bounds.height() - height - kPadding / 2, width, height));
        return;
    case Placement::FullScreen:
        _card->setFrame(CGRectMake(0, 20, width, bounds.height() - 20));
        return;
    }
}
