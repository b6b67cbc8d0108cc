#include "platform/UIViewController.h"

#include "platform/ActivityMonitor.h"
#include "platform/UIApplication.h"
#include "platform/UIScreen.h"
#include "platform/UIWindow.h"

#include <utility>

std::shared_ptr<UIView> UIViewController::view() {
    if (!_view) {
        loadView();
        viewDidLoad();
    }
    return _view;
}

void UIViewController::setView(std::shared_ptr<UIView> view) { _view = std::move(view); }

void UIViewController::loadView() {
    auto view = alloc<UIView>()->initWithFrame(UIScreen::mainScreen()->bounds());
    view->setBackgroundColor(UIColor::whiteColor());
    _view = view;
}

void UIViewController::setTitle(std::string title) {
    _title = std::move(title);
    navigationItem()->setTitle(_title);
}

std::shared_ptr<UINavigationItem> UIViewController::navigationItem() {
    if (!_navigationItem) {
        _navigationItem = alloc<UINavigationItem>();
        _navigationItem->setTitle(_title);
    }
    return _navigationItem;
}

void UIViewController::presentViewController_animated_completion(const std::shared_ptr<UIViewController>& controller,
                                                                 bool animated, std::function<void()> completion) {
    auto window = UIApplication::sharedApplication()->keyWindow();
    if (!controller || _presentedViewController || !window) return;
    _presentedViewController = controller;
    controller->_presentingViewController = self<UIViewController>();
    ActivityMonitor::shared().record(ActivityKind::Present, controller->className());
    controller->viewWillAppear(animated);
    window->showPresentedView(controller->view(), animated);
    controller->viewDidAppear(animated);
    if (completion) completion();
}

void UIViewController::dismissViewControllerAnimated_completion(bool animated, std::function<void()> completion) {
    if (!_presentedViewController) {
        if (auto presenting = presentingViewController()) {
            presenting->dismissViewControllerAnimated_completion(animated, std::move(completion));
        }
        return;
    }
    auto presented = std::exchange(_presentedViewController, nullptr);
    presented->_presentingViewController.reset();
    ActivityMonitor::shared().record(ActivityKind::Dismiss, presented->className());
    presented->viewWillDisappear(animated);
    if (auto window = UIApplication::sharedApplication()->keyWindow()) window->hidePresentedView(presented->view());
    presented->viewDidDisappear(animated);
    if (completion) completion();
}
