#include "platform/UIWindow.h"

#include "platform/UIApplication.h"
#include "platform/UILabel.h"
#include "platform/UINavigationController.h"
#include "platform/UIScrollView.h"

std::shared_ptr<UIWindow> UIWindow::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::blackColor());
    _statusBar = alloc<UIView>()->initWithFrame(CGRectZero);
    auto clock = alloc<UILabel>()->initWithFrame(CGRectZero);
    clock->setText("9:41");
    clock->setFontSize(12);
    clock->setBold(true);
    clock->setTextAlignment(NSTextAlignment::Center);
    _statusBar->addSubview(clock);
    _statusBar->setUserInteractionEnabled(false);
    addSubview(_statusBar);
    return self<UIWindow>();
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
    if (_rootViewController) {
        _rootViewController->viewWillDisappear(/*animated=*/false);
        _rootViewController->view()->removeFromSuperview();
        _rootViewController->viewDidDisappear(/*animated=*/false);
    }
    _rootViewController = std::move(controller);
    if (!_rootViewController) return;
    auto rootView = _rootViewController->view();
    rootView->setFrame(bounds());
    _rootViewController->viewWillAppear(/*animated=*/false);
    insertSubview_atIndex(rootView, 0);
    _rootViewController->viewDidAppear(/*animated=*/false);
    setNeedsLayout();
}

void UIWindow::makeKeyAndVisible() { UIApplication::sharedApplication()->setKeyWindow(self<UIWindow>()); }

void UIWindow::showPresentedView(const std::shared_ptr<UIView>& view, bool) {
    view->setFrame(bounds());
    // Until it is dismissed, the presented view is all a reader may reach.
    view->setAccessibilityViewIsModal(true);
    _presentedViews.push_back(view);
    addSubview(view);
    setNeedsLayout();
}

void UIWindow::hidePresentedView(const std::shared_ptr<UIView>& view) {
    std::erase(_presentedViews, view);
    view->removeFromSuperview();
}

void UIWindow::layoutSubviews() {
    if (_rootViewController) _rootViewController->view()->setFrame(bounds());
    for (const auto& presented : _presentedViews) presented->setFrame(bounds());
    _statusBar->setFrame(CGRectMake(0, 0, frame().width(), UINavigationController::kStatusBarHeight));
    _statusBar->subviews().front()->setFrame(_statusBar->bounds());
    addSubview(_statusBar); // always on top
}

bool UIWindow::sendTap(CGPoint point) {
    layoutIfNeeded();
    for (auto view = hitTest(point); view; view = view->superview()) {
        if (view->handleTap(view->convertPointFromWindow(point))) {
            layoutIfNeeded();
            return true;
        }
    }
    return false;
}

bool UIWindow::sendScroll(CGPoint point, CGFloat dy) {
    layoutIfNeeded();
    for (auto view = hitTest(point); view; view = view->superview()) {
        auto scrollView = std::dynamic_pointer_cast<UIScrollView>(view);
        if (scrollView && scrollView->isScrollEnabled()) {
            bool moved = scrollView->scrollBy(dy);
            layoutIfNeeded();
            return moved;
        }
    }
    return false;
}
