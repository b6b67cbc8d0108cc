#pragma once

#include "platform/NSObject.h"
#include "platform/NSURL.h"

#include <memory>
#include <string>
#include <vector>

class UIWindow;

// The running app: its key window, and the doorway to other apps by address.
class UIApplication : public NSObject {
public:
    OBJC_CLASS_NAME(UIApplication)

    static std::shared_ptr<UIApplication> sharedApplication();

    std::shared_ptr<UIWindow> keyWindow() const { return _keyWindow; }
    void setKeyWindow(std::shared_ptr<UIWindow> window) { _keyWindow = std::move(window); }

    // True for web and mail addresses, which the phone's own apps open, and
    // for the schemes of the apps installed on the device.
    bool canOpenURL(const std::shared_ptr<NSURL>& url) const;
    // Hands the address to the app that opens it; false, and nothing opened,
    // when no app can.
    bool openURL(const std::shared_ptr<NSURL>& url);

    // Every address opened so far, oldest first.
    const std::vector<std::string>& openedURLs() const { return _openedURLs; }
    void forgetOpenedURLs() { _openedURLs.clear(); }

private:
    std::shared_ptr<UIWindow> _keyWindow;
    std::vector<std::string> _openedURLs;
};
