#pragma once

#include "platform/Result.h"
#include "platform/UINavigationController.h"
#include "platform/UIScrollView.h"
#include "platform/UIWindow.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The Settings app on the simulated phone: a window with a navigation stack
// whose first page lists the installed bundles, and what a person does to
// the phone: tap, scroll, go back, turn it, install apps, wipe its settings.
// Main thread only. An action that finds nothing to act on fails with a
// message saying so.
class SettingsApp {
public:
    // A fresh window, key and visible, on the Settings list; the apps the
    // installed bundles ask about are read afresh.
    void launch();
    const std::shared_ptr<UIWindow>& window() const { return _window; }
    const std::shared_ptr<UINavigationController>& navigation() const { return _navigation; }

    Result<> tapText(const std::string& text);
    Result<> tapSwitch(const std::string& title);
    void tapPoint(CGPoint point);
    // Text typed into the text field of the row titled `row` (or the one
    // under `point`), then Return.
    Result<> enterText(const std::string& row, const std::string& text);
    Result<> enterTextAt(CGPoint point, const std::string& text);
    // The slider of the row titled `row` dragged to `value`; the slider
    // under `point` dragged to `value`, or without one to that point.
    Result<> slide(const std::string& row, double value);
    Result<> slideAt(CGPoint point, std::optional<double> value);
    // The front page's scroll view, or the one under `point` when given;
    // false when nothing moved.
    bool scroll(CGFloat dy, std::optional<CGPoint> point);
    Result<> back();

    void setLandscape(bool landscape);
    void setInstalledApps(std::set<std::string> schemes);
    // Settings files deleted, no apps, portrait, and the app started afresh.
    void reset();

    nlohmann::json deviceState() const;

private:
    std::shared_ptr<UIScrollView> frontScrollView() const;

    std::shared_ptr<UIWindow> _window;
    std::shared_ptr<UINavigationController> _navigation;
    // The URL schemes the installed bundles ask canOpenURL: about, which a person may install.
    std::vector<std::string> _knownApps;
};
