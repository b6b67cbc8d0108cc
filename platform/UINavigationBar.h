#pragma once

#include "platform/UIButton.h"
#include "platform/UINavigationItem.h"
#include "platform/UIView.h"

#include <functional>
#include <vector>

// The bar above a navigation stack: a back button while there is a page to go
// back to, the top item's title or title view in the middle, its buttons at
// the right.
class UINavigationBar : public UIView {
public:
    OBJC_CLASS_NAME(UINavigationBar)
    const char* viewKind() const override { return "navigationBar"; }

    static constexpr CGFloat kHeight = 44;

    std::shared_ptr<UINavigationBar> initWithFrame(const CGRect& frame);

    const std::vector<std::shared_ptr<UINavigationItem>>& items() const { return _items; }
    void setItems(std::vector<std::shared_ptr<UINavigationItem>> items);
    std::shared_ptr<UINavigationItem> topItem() const { return _items.empty() ? nullptr : _items.back(); }
    void setBackAction(std::function<void()> action) { _backAction = std::move(action); }

    void layoutSubviews() override;

private:
    std::shared_ptr<UIButton> makeButton(const std::string& title, const std::string& label, CGFloat width,
                                         std::function<void()> onTap);
    void layoutLeft(const UINavigationItem& item);
    void layoutRight(const UINavigationItem& item);
    void layoutTitle(const UINavigationItem& item);

    std::vector<std::shared_ptr<UINavigationItem>> _items;
    std::function<void()> _backAction;
    std::vector<std::shared_ptr<NSObject>> _buttonTargets;
};
