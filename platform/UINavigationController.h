#pragma once

#include "platform/UINavigationBar.h"
#include "platform/UIViewController.h"

#include <vector>

// A stack of pages under a navigation bar. It owns its pages.
class UINavigationController : public UIViewController {
public:
    OBJC_CLASS_NAME(UINavigationController)

    static constexpr CGFloat kStatusBarHeight = 20;

    std::shared_ptr<UINavigationController> initWithRootViewController(const std::shared_ptr<UIViewController>& root);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return _viewControllers; }
    std::shared_ptr<UIViewController> topViewController() const {
        return _viewControllers.empty() ? nullptr : _viewControllers.back();
    }
    const std::shared_ptr<UINavigationBar>& navigationBar() const { return _navigationBar; }

    void pushViewController_animated(const std::shared_ptr<UIViewController>& controller, bool animated);
    std::shared_ptr<UIViewController> popViewControllerAnimated(bool animated);
    // The stack replaced whole; an empty list changes nothing.
    void setViewControllers_animated(std::vector<std::shared_ptr<UIViewController>> controllers, bool animated);

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    // The area below the bar, where the top page's view goes.
    CGRect contentFrame() const;
    void showTopViewController();
    void refreshNavigationBar();
    bool isShown() const { return _shown; }

    std::vector<std::shared_ptr<UIViewController>> _viewControllers;
    std::shared_ptr<UINavigationBar> _navigationBar;
    bool _shown = false;
};
