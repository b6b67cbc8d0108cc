#pragma once

#include "platform/NSObject.h"
#include "platform/UINavigationItem.h"
#include "platform/UIView.h"

#include <functional>
#include <memory>
#include <string>

class UINavigationController;

// A page: its view, made on first request, its navigation item, and the
// appearance callbacks its container calls around showing and hiding it.
class UIViewController : public NSObject {
public:
    OBJC_CLASS_NAME(UIViewController)

    std::shared_ptr<UIViewController> init() { return self<UIViewController>(); }

    // Loads the view on first request (loadView, then viewDidLoad).
    std::shared_ptr<UIView> view();
    void setView(std::shared_ptr<UIView> view);
    bool isViewLoaded() const { return _view != nullptr; }

    const std::string& title() const { return _title; }
    void setTitle(std::string title);
    std::shared_ptr<UINavigationItem> navigationItem();

    // The navigation stack the page is on; weak, as the stack owns the page.
    std::shared_ptr<UINavigationController> navigationController() const { return _navigationController.lock(); }
    void setNavigationController(const std::shared_ptr<UINavigationController>& controller) {
        _navigationController = controller;
    }

    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}

    // Modal presentation over the whole window.
    void presentViewController_animated_completion(const std::shared_ptr<UIViewController>& controller, bool animated,
                                                   std::function<void()> completion);
    // Dismisses what this page presented or, when it presented nothing, the
    // presentation it is part of.
    void dismissViewControllerAnimated_completion(bool animated, std::function<void()> completion);
    const std::shared_ptr<UIViewController>& presentedViewController() const { return _presentedViewController; }
    std::shared_ptr<UIViewController> presentingViewController() const { return _presentingViewController.lock(); }

private:
    std::shared_ptr<UIView> _view;
    std::string _title;
    std::shared_ptr<UINavigationItem> _navigationItem;
    std::weak_ptr<UINavigationController> _navigationController;
    std::shared_ptr<UIViewController> _presentedViewController;
    std::weak_ptr<UIViewController> _presentingViewController;
};
