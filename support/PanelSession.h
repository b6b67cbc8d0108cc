#pragma once

#include "platform/UINavigationController.h"
#include "platform/UISwitch.h"
#include "platform/UIWindow.h"

#include <memory>
#include <string>
#include <vector>

// The panel opened as the Settings app opens it: its root page created by
// class name, on a navigation stack in the key window, laid out. Taps go in
// as points, as a finger's would.
class PanelSession {
public:
    explicit PanelSession(const std::string& rootClassName = "VimbleListController");
    ~PanelSession();

    const std::shared_ptr<UIWindow>& window() const { return _window; }
    const std::shared_ptr<UINavigationController>& navigation() const { return _navigation; }
    std::shared_ptr<UIViewController> topPage() const { return _navigation->topViewController(); }
    template <typename Page>
    std::shared_ptr<Page> topPageAs() const {
        return std::dynamic_pointer_cast<Page>(topPage());
    }

    // Taps the centre of the first visible element showing or read as `text`;
    // false when there is none.
    bool tap(const std::string& text);
    bool tapPoint(CGPoint point);
    // Flips the switch of the row titled `title`; false when there is none.
    bool tapSwitch(const std::string& title);
    std::shared_ptr<UISwitch> switchOfRow(const std::string& title) const;
    // Scrolls the view under the middle of the screen.
    bool scroll(double dy);

    std::vector<std::string> visibleTexts() const;
    bool shows(const std::string& text) const;

private:
    std::shared_ptr<UIWindow> _window;
    std::shared_ptr<UINavigationController> _navigation;
};
