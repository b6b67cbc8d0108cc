#pragma once

#include "platform/NSObject.h"

#include <string>

inline const std::string UIDeviceOrientationDidChangeNotification = "UIDeviceOrientationDidChangeNotification";

enum class UIDeviceOrientation { Unknown = 0, Portrait = 1, PortraitUpsideDown = 2, LandscapeLeft = 3, LandscapeRight = 4 };

// The phone itself: how it is held.
class UIDevice : public NSObject {
public:
    OBJC_CLASS_NAME(UIDevice)

    static std::shared_ptr<UIDevice> currentDevice();

    UIDeviceOrientation orientation() const { return _orientation; }
    bool isLandscape() const;

    // Turns the phone: the screen's bounds swap between portrait and
    // landscape, the key window takes the new size, and the orientation
    // notification is posted.
    void setOrientation(UIDeviceOrientation orientation);

private:
    UIDeviceOrientation _orientation = UIDeviceOrientation::Portrait;
};
