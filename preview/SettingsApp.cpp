#include "preview/SettingsApp.h"

#include "platform/CoreFoundationVersions.h"
#include "preview/InstalledLanguages.h"

#include "platform/Device.h"
#include "platform/UIApplication.h"
#include "platform/UIDevice.h"
#include "platform/UIScreen.h"
#include "platform/UISlider.h"
#include "platform/UITextField.h"
#include "platform/ViewQuery.h"
#include "preview/BundleDeclarations.h"
#include "preview/PreferenceFiles.h"
#include "preview/SettingsListController.h"

#include <deque>

namespace {

constexpr const char* kBackLabel = "Back";

std::shared_ptr<UIScrollView> firstScrollViewIn(const std::shared_ptr<UIView>& root) {
    std::deque<std::shared_ptr<UIView>> queue{root};
    while (!queue.empty()) {
        auto view = queue.front();
        queue.pop_front();
        if (auto scrollView = std::dynamic_pointer_cast<UIScrollView>(view); scrollView && !view->isHidden()) {
            return scrollView;
        }
        queue.insert(queue.end(), view->subviews().begin(), view->subviews().end());
    }
    return nullptr;
}

} // namespace

void SettingsApp::launch() {
    if (_window) _window->setRootViewController(nullptr);
    _window = alloc<UIWindow>()->initWithFrame(UIScreen::mainScreen()->bounds());
    _window->makeKeyAndVisible();
    _navigation = alloc<UINavigationController>()->initWithRootViewController(alloc<SettingsListController>()->init());
    _window->setRootViewController(_navigation);
    _window->layoutIfNeeded();
    _knownApps = BundleDeclarations::strings(BundleDeclarations::kQueriedSchemesKey);
}

Result<> SettingsApp::tapText(const std::string& text) {
    _window->layoutIfNeeded();
    auto view = ViewQuery::findByText(_window, text);
    if (!view) return Result<>::failure("no visible element shows or is labelled \"" + text + "\"");
    _window->sendTap(ViewQuery::centerInWindow(*view));
    return Result<>::success();
}

Result<> SettingsApp::tapSwitch(const std::string& title) {
    _window->layoutIfNeeded();
    auto control = ViewQuery::switchInRowTitled(_window, title);
    if (!control) return Result<>::failure("no visible row titled \"" + title + "\" has a switch");
    _window->sendTap(ViewQuery::centerInWindow(*control));
    return Result<>::success();
}

void SettingsApp::tapPoint(CGPoint point) { _window->sendTap(point); }

Result<> SettingsApp::enterText(const std::string& row, const std::string& text) {
    _window->layoutIfNeeded();
    auto field = ViewQuery::controlInRowTitled<UITextField>(_window, row);
    if (!field) return Result<>::failure("no visible row titled \"" + row + "\" has a text field");
    field->enterText(text);
    _window->layoutIfNeeded();
    return Result<>::success();
}

Result<> SettingsApp::enterTextAt(CGPoint point, const std::string& text) {
    _window->layoutIfNeeded();
    auto field = ViewQuery::controlAt<UITextField>(_window, point);
    if (!field) return Result<>::failure("there is no text field at that point");
    field->enterText(text);
    _window->layoutIfNeeded();
    return Result<>::success();
}

Result<> SettingsApp::slide(const std::string& row, double value) {
    _window->layoutIfNeeded();
    auto slider = ViewQuery::controlInRowTitled<UISlider>(_window, row);
    if (!slider) return Result<>::failure("no visible row titled \"" + row + "\" has a slider");
    slider->slideToValue(static_cast<float>(value));
    _window->layoutIfNeeded();
    return Result<>::success();
}

Result<> SettingsApp::slideAt(CGPoint point, std::optional<double> value) {
    _window->layoutIfNeeded();
    auto slider = ViewQuery::controlAt<UISlider>(_window, point);
    if (!slider) return Result<>::failure("there is no slider at that point");
    if (value) slider->slideToValue(static_cast<float>(*value));
    if (!value) slider->slideTo(point);
    _window->layoutIfNeeded();
    return Result<>::success();
}

bool SettingsApp::scroll(CGFloat dy, std::optional<CGPoint> point) {
    if (point) return _window->sendScroll(*point, dy);
    auto scrollView = frontScrollView();
    if (!scrollView || !scrollView->isScrollEnabled()) return false;
    bool moved = scrollView->scrollBy(dy);
    _window->layoutIfNeeded();
    return moved;
}

// The scroll view of what is in front: a presented sheet, else the top page.
std::shared_ptr<UIScrollView> SettingsApp::frontScrollView() const {
    _window->layoutIfNeeded();
    if (auto presented = _window->topmostPresentedView()) return firstScrollViewIn(presented);
    auto top = _navigation->topViewController();
    return top ? firstScrollViewIn(top->view()) : nullptr;
}

Result<> SettingsApp::back() {
    _window->layoutIfNeeded();
    auto button = ViewQuery::findByText(_window, kBackLabel);
    if (!button) return Result<>::failure("there is no Back button to tap on this screen");
    _window->sendTap(ViewQuery::centerInWindow(*button));
    return Result<>::success();
}

void SettingsApp::setLandscape(bool landscape) {
    auto orientation = landscape ? UIDeviceOrientation::LandscapeLeft : UIDeviceOrientation::Portrait;
    if (UIDevice::currentDevice()->orientation() == orientation) return;
    UIDevice::currentDevice()->setOrientation(orientation);
}

void SettingsApp::setInstalledApps(std::set<std::string> schemes) {
    Device::shared().setInstalledAppSchemes(std::move(schemes));
}

void SettingsApp::reset() {
    PreferenceFiles::removeAll();
    setInstalledApps({});
    setLandscape(false);
    Device::shared().restoreSettings();
    UIApplication::sharedApplication()->forgetOpenedURLs();
    launch();
}

nlohmann::json SettingsApp::deviceState() const {
    const auto& schemes = Device::shared().installedAppSchemes();
    return {{"orientation", UIDevice::currentDevice()->isLandscape() ? "landscape" : "portrait"},
            {"installedApps", nlohmann::json(std::vector<std::string>(schemes.begin(), schemes.end()))},
            {"knownApps", _knownApps},
            {"language", Device::shared().preferredLanguages().empty() ? "en" : Device::shared().preferredLanguages().front()},
            {"languages", InstalledLanguages::list()},
            {"systemVersion", Device::shared().systemVersion()},
            {"systemVersions", CoreFoundationVersions::systemVersions()},
            {"root", Device::shared().rootDirectory().string()}};
}
