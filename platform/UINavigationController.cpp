#include "platform/UINavigationController.h"

#include "platform/UIScreen.h"

#include <algorithm>

namespace {

// The navigation controller's own view: it lays out the bar and the top page
// whenever its size changes, as on rotation.
class NavigationContainerView : public UIView {
public:
    OBJC_CLASS_NAME(UILayoutContainerView)

    std::weak_ptr<UINavigationController> controller;
    std::function<void(UINavigationController&)> layout;

    void layoutSubviews() override {
        if (auto owner = controller.lock()) layout(*owner);
    }
};

} // namespace

std::shared_ptr<UINavigationController> UINavigationController::initWithRootViewController(
    const std::shared_ptr<UIViewController>& root) {
    UIViewController::init();
    _viewControllers.push_back(root);
    root->setNavigationController(self<UINavigationController>());
    return self<UINavigationController>();
}

CGRect UINavigationController::contentFrame() const {
    CGRect bounds = UIScreen::mainScreen()->bounds();
    CGFloat top = kStatusBarHeight + UINavigationBar::kHeight;
    return CGRectMake(0, top, bounds.width(), bounds.height() - top);
}

void UINavigationController::loadView() {
    auto container = alloc<NavigationContainerView>();
    container->initWithFrame(UIScreen::mainScreen()->bounds());
    container->setBackgroundColor(UIColor::whiteColor());
    container->controller = self<UINavigationController>();
    container->layout = [](UINavigationController& controller) {
        CGRect bounds = controller.view()->bounds();
        controller._navigationBar->setFrame(
            CGRectMake(0, kStatusBarHeight, bounds.width(), UINavigationBar::kHeight));
        if (auto top = controller.topViewController()) {
            top->view()->setFrame(CGRectMake(0, kStatusBarHeight + UINavigationBar::kHeight, bounds.width(),
                                             bounds.height() - kStatusBarHeight - UINavigationBar::kHeight));
        }
    };
    setView(container);
    _navigationBar = alloc<UINavigationBar>()->initWithFrame(CGRectMake(0, kStatusBarHeight, 0, 0));
    std::weak_ptr<UINavigationController> weakSelf = self<UINavigationController>();
    _navigationBar->setBackAction([weakSelf] {
        if (auto controller = weakSelf.lock()) controller->popViewControllerAnimated(/*animated=*/true);
    });
    showTopViewController();
}

void UINavigationController::refreshNavigationBar() {
    std::vector<std::shared_ptr<UINavigationItem>> items;
    for (const auto& controller : _viewControllers) items.push_back(controller->navigationItem());
    _navigationBar->setItems(std::move(items));
}

void UINavigationController::showTopViewController() {
    auto container = view();
    for (const auto& subview : std::vector(container->subviews())) subview->removeFromSuperview();
    if (auto top = topViewController()) {
        auto page = top->view();
        page->setFrame(contentFrame());
        container->addSubview(page);
    }
    container->addSubview(_navigationBar);
    _navigationBar->setFrame(CGRectMake(0, kStatusBarHeight, container->frame().width(), UINavigationBar::kHeight));
    refreshNavigationBar();
    container->setNeedsLayout();
}

void UINavigationController::pushViewController_animated(const std::shared_ptr<UIViewController>& controller,
                                                         bool animated) {
    if (!controller) return;
    controller->view(); // a page is loaded before it appears
    auto leaving = topViewController();
    if (isShown() && leaving) leaving->viewWillDisappear(animated);
    controller->setNavigationController(self<UINavigationController>());
    _viewControllers.push_back(controller);
    if (isShown()) controller->viewWillAppear(animated);
    if (isViewLoaded()) showTopViewController();
    if (isShown() && leaving) leaving->viewDidDisappear(animated);
    if (isShown()) controller->viewDidAppear(animated);
}

std::shared_ptr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
    if (_viewControllers.size() < 2) return nullptr;
    auto leaving = _viewControllers.back();
    auto arriving = _viewControllers[_viewControllers.size() - 2];
    if (isShown()) leaving->viewWillDisappear(animated);
    _viewControllers.pop_back();
    if (isShown()) arriving->viewWillAppear(animated);
    if (isViewLoaded()) showTopViewController();
    leaving->setNavigationController(nullptr);
    if (isShown()) leaving->viewDidDisappear(animated);
    if (isShown()) arriving->viewDidAppear(animated);
    return leaving;
}

void UINavigationController::setViewControllers_animated(std::vector<std::shared_ptr<UIViewController>> controllers,
                                                         bool animated) {
    if (controllers.empty()) return;
    auto leaving = topViewController();
    auto arriving = controllers.back();
    bool newTop = leaving != arriving;
    arriving->view(); // a page is loaded before it appears
    if (isShown() && newTop && leaving) leaving->viewWillDisappear(animated);
    for (const auto& old : _viewControllers) {
        if (std::find(controllers.begin(), controllers.end(), old) == controllers.end()) old->setNavigationController(nullptr);
    }
    for (const auto& controller : controllers) controller->setNavigationController(self<UINavigationController>());
    _viewControllers = std::move(controllers);
    if (isShown() && newTop) arriving->viewWillAppear(animated);
    if (isViewLoaded()) showTopViewController();
    if (isShown() && newTop && leaving) leaving->viewDidDisappear(animated);
    if (isShown() && newTop) arriving->viewDidAppear(animated);
}

void UINavigationController::viewWillAppear(bool animated) {
    _shown = true;
    if (auto top = topViewController()) top->viewWillAppear(animated);
}

void UINavigationController::viewDidAppear(bool animated) {
    if (auto top = topViewController()) top->viewDidAppear(animated);
}

void UINavigationController::viewWillDisappear(bool animated) {
    if (auto top = topViewController()) top->viewWillDisappear(animated);
}

void UINavigationController::viewDidDisappear(bool animated) {
    _shown = false;
    if (auto top = topViewController()) top->viewDidDisappear(animated);
}
