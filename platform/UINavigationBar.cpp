#include "platform/UINavigationBar.h"

#include "platform/BlockTarget.h"
#include "platform/TextMetrics.h"
#include "platform/UILabel.h"

#include <algorithm>
#include <limits>

namespace {

constexpr CGFloat kEdgeMargin = 8;
constexpr CGFloat kSymbolButtonWidth = 44;
constexpr CGFloat kTitleWidth = 200;
constexpr CGFloat kButtonPadding = 16;
constexpr double kButtonFontSize = 17; // as UIButton draws its title

CGFloat textButtonWidth(const std::string& title) {
    CGFloat textWidth = TextMetrics::sizeOfText(title, {kButtonFontSize, false}, std::numeric_limits<CGFloat>::infinity(), 1).width;
    return std::max<CGFloat>(kSymbolButtonWidth, textWidth + kButtonPadding);
}

} // namespace

std::shared_ptr<UINavigationBar> UINavigationBar::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(CGRect{frame.origin, CGSizeMake(frame.width(), kHeight)});
    setBackgroundColor(UIColor::colorWithRed_green_blue_alpha(0.97, 0.97, 0.97, 1));
    return self<UINavigationBar>();
}

void UINavigationBar::setItems(std::vector<std::shared_ptr<UINavigationItem>> items) {
    _items = std::move(items);
    setNeedsLayout();
}

std::shared_ptr<UIButton> UINavigationBar::makeButton(const std::string& title, const std::string& label,
                                                      CGFloat width, std::function<void()> onTap) {
    auto button = alloc<UIButton>()->initWithFrame(CGRectMake(0, 0, width, kHeight));
    button->setTitle(title);
    button->setAccessibilityLabel(label);
    // The button holds its target weakly; the target lives as long as the button.
    auto target = std::make_shared<BlockTarget>(std::move(onTap));
    button->addTarget_action_forControlEvents(target, BlockTarget::action(), UIControlEvents::TouchUpInside);
    _buttonTargets.push_back(target);
    addSubview(button);
    return button;
}

void UINavigationBar::layoutSubviews() {
    for (const auto& subview : std::vector(subviews())) subview->removeFromSuperview();
    _buttonTargets.clear();
    auto item = topItem();
    if (!item) return;
    layoutLeft(*item);
    layoutRight(*item);
    layoutTitle(*item);
}

void UINavigationBar::layoutLeft(const UINavigationItem& item) {
    if (auto left = item.leftBarButtonItem()) {
        auto button = makeButton(left->isSymbol() ? "" : left->title(), left->accessibilityLabel(),
                                 textButtonWidth(left->title()), [left] { left->sendAction(); });
        button->setFrame(CGRectMake(kEdgeMargin, 0, button->frame().width(), kHeight));
        return;
    }
    if (_items.size() < 2) return;
    std::string previousTitle = _items[_items.size() - 2]->title();
    std::string title = "\u2039 " + (previousTitle.empty() ? std::string("Back") : previousTitle);
    auto button = makeButton(title, "Back", textButtonWidth(title), [this] {
        if (_backAction) _backAction();
    });
    button->titleLabel()->setTextAlignment(NSTextAlignment::Left);
    button->setFrame(CGRectMake(kEdgeMargin, 0, button->frame().width(), kHeight));
}

void UINavigationBar::layoutRight(const UINavigationItem& item) {
    CGFloat right = frame().width() - kEdgeMargin;
    for (const auto& barItem : item.rightBarButtonItems()) {
        CGFloat width = barItem->isSymbol() ? kSymbolButtonWidth : textButtonWidth(barItem->title());
        auto button = makeButton(barItem->isSymbol() ? "" : barItem->title(), barItem->accessibilityLabel(), width,
                                 [barItem] { barItem->sendAction(); });
        right -= width;
        button->setFrame(CGRectMake(right, 0, width, kHeight));
    }
}

void UINavigationBar::layoutTitle(const UINavigationItem& item) {
    if (auto titleView = item.titleView()) {
        CGSize size = titleView->frame().size;
        titleView->setFrame(CGRectMake((frame().width() - size.width) / 2, (kHeight - size.height) / 2, size.width,
                                       size.height));
        addSubview(titleView);
        return;
    }
    auto label = alloc<UILabel>()->initWithFrame(
        CGRectMake((frame().width() - kTitleWidth) / 2, 0, kTitleWidth, kHeight));
    label->setText(item.title());
    label->setBold(true);
    label->setAccessibilityTraits(UIAccessibilityTraitHeader);
    label->setTextAlignment(NSTextAlignment::Center);
    addSubview(label);
}
