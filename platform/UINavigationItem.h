#pragma once

#include "platform/UIBarButtonItem.h"
#include "platform/UIView.h"

#include <vector>

// What a page shows in the navigation bar while it is on top.
class UINavigationItem : public NSObject {
public:
    OBJC_CLASS_NAME(UINavigationItem)

    const std::string& title() const { return _title; }
    void setTitle(std::string title) { _title = std::move(title); }
    // Shown in place of the title when set.
    const std::shared_ptr<UIView>& titleView() const { return _titleView; }
    void setTitleView(std::shared_ptr<UIView> view) { _titleView = std::move(view); }

    // The first item stands at the outer right edge.
    const std::vector<std::shared_ptr<UIBarButtonItem>>& rightBarButtonItems() const { return _rightBarButtonItems; }
    void setRightBarButtonItems(std::vector<std::shared_ptr<UIBarButtonItem>> items) {
        _rightBarButtonItems = std::move(items);
    }
    std::shared_ptr<UIBarButtonItem> rightBarButtonItem() const {
        return _rightBarButtonItems.empty() ? nullptr : _rightBarButtonItems.front();
    }
    void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item) {
        _rightBarButtonItems.clear();
        if (item) _rightBarButtonItems.push_back(std::move(item));
    }
    const std::shared_ptr<UIBarButtonItem>& leftBarButtonItem() const { return _leftBarButtonItem; }
    void setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item) { _leftBarButtonItem = std::move(item); }

private:
    std::string _title;
    std::shared_ptr<UIView> _titleView;
    std::vector<std::shared_ptr<UIBarButtonItem>> _rightBarButtonItems;
    std::shared_ptr<UIBarButtonItem> _leftBarButtonItem;
};
