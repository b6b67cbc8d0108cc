#include "platform/UIApplication.h"

#include "platform/ActivityMonitor.h"
#include "platform/Device.h"

namespace {
const char* const kBuiltInSchemes[] = {"http", "https", "mailto"};
}

std::shared_ptr<UIApplication> UIApplication::sharedApplication() {
    static auto application = alloc<UIApplication>();
    return application;
}

bool UIApplication::canOpenURL(const std::shared_ptr<NSURL>& url) const {
    if (!url) return false;
    for (const char* scheme : kBuiltInSchemes) {
        if (url->scheme() == scheme) return true;
    }
    return Device::shared().installedAppSchemes().contains(url->scheme());
}

bool UIApplication::openURL(const std::shared_ptr<NSURL>& url) {
    if (!url) return false;
    bool opened = canOpenURL(url);
    if (opened) _openedURLs.push_back(url->absoluteString());
    ActivityMonitor::shared().record(ActivityKind::Url, url->absoluteString(), opened);
    return opened;
}
