#include "support/PanelSession.h"

#include "platform/ObjCClass.h"
#include "platform/UIScreen.h"
#include "platform/ViewQuery.h"

#include <algorithm>
#include <stdexcept>

PanelSession::PanelSession(const std::string& rootClassName) {
    const ObjCClass* rootClass = objc_getClass(rootClassName);
    if (!rootClass) throw std::runtime_error("no class named " + rootClassName);
    auto root = std::dynamic_pointer_cast<UIViewController>(rootClass->create("init"));
    if (!root) throw std::runtime_error(rootClassName + " did not initialise");
    _window = alloc<UIWindow>()->initWithFrame(UIScreen::mainScreen()->bounds());
    _window->makeKeyAndVisible();
    _navigation = alloc<UINavigationController>()->initWithRootViewController(root);
    _window->setRootViewController(_navigation);
    _window->layoutIfNeeded();
}

PanelSession::~PanelSession() {
    if (_window) _window->setRootViewController(nullptr);
}

bool PanelSession::tap(const std::string& text) {
    _window->layoutIfNeeded();
    auto view = ViewQuery::findByText(_window, text);
    return view && tapPoint(ViewQuery::centerInWindow(*view));
}

bool PanelSession::tapPoint(CGPoint point) { return _window->sendTap(point); }

std::shared_ptr<UISwitch> PanelSession::switchOfRow(const std::string& title) const {
    _window->layoutIfNeeded();
    return ViewQuery::switchInRowTitled(_window, title);
}

bool PanelSession::tapSwitch(const std::string& title) {
    auto control = switchOfRow(title);
    return control && tapPoint(ViewQuery::centerInWindow(*control));
}

bool PanelSession::scroll(double dy) {
    CGRect bounds = _window->bounds();
    return _window->sendScroll(CGPointMake(bounds.width() / 2, bounds.height() / 2), dy);
}

std::vector<std::string> PanelSession::visibleTexts() const {
    _window->layoutIfNeeded();
    return ViewQuery::visibleTexts(_window);
}

bool PanelSession::shows(const std::string& text) const {
    auto texts = visibleTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}
