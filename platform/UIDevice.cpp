#include "platform/UIDevice.h"

#include "platform/NSNotificationCenter.h"
#include "platform/UIApplication.h"
#include "platform/UIScreen.h"
#include "platform/UIWindow.h"

std::shared_ptr<UIDevice> UIDevice::currentDevice() {
    static auto device = alloc<UIDevice>();
    return device;
}

bool UIDevice::isLandscape() const {
    return _orientation == UIDeviceOrientation::LandscapeLeft || _orientation == UIDeviceOrientation::LandscapeRight;
}

void UIDevice::setOrientation(UIDeviceOrientation orientation) {
    _orientation = orientation;
    CGSize size = UIScreen::kPortraitSize;
    if (isLandscape()) size = CGSizeMake(size.height, size.width);
    UIScreen::mainScreen()->setBounds(CGRect{CGPointMake(0, 0), size});
    if (auto window = UIApplication::sharedApplication()->keyWindow()) {
        window->setFrame(CGRect{CGPointMake(0, 0), size});
        window->layoutIfNeeded();
    }
    NSNotificationCenter::defaultCenter()->postNotificationName_object(UIDeviceOrientationDidChangeNotification,
                                                                      self<UIDevice>());
}
