#pragma once

#include "platform/UIView.h"
#include "platform/UIViewController.h"

#include <vector>

// The window that fills the screen: the root page's view, the status bar, and
// whatever is presented modally, topmost last. Taps and scrolls from the
// outside enter here.
class UIWindow : public UIView {
public:
    OBJC_CLASS_NAME(UIWindow)
    const char* viewKind() const override { return "window"; }

    std::shared_ptr<UIWindow> initWithFrame(const CGRect& frame);

    const std::shared_ptr<UIViewController>& rootViewController() const { return _rootViewController; }
    void setRootViewController(std::shared_ptr<UIViewController> controller);
    void makeKeyAndVisible();

    void showPresentedView(const std::shared_ptr<UIView>& view, bool animated);
    void hidePresentedView(const std::shared_ptr<UIView>& view);
    bool hasPresentedViews() const { return !_presentedViews.empty(); }
    std::shared_ptr<UIView> topmostPresentedView() const {
        return _presentedViews.empty() ? nullptr : _presentedViews.back();
    }

    // A tap at a point of the window: the deepest view there that takes
    // touches acts on it, or the nearest of its superviews that does. False
    // when nothing did.
    bool sendTap(CGPoint point);
    // A scroll gesture at a point: the nearest scroll view there moves by `dy`.
    bool sendScroll(CGPoint point, CGFloat dy);

    void layoutSubviews() override;

private:
    std::shared_ptr<UIViewController> _rootViewController;
    std::vector<std::shared_ptr<UIView>> _presentedViews;
    std::shared_ptr<UIView> _statusBar;
};
