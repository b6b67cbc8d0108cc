#pragma once

#include "platform/CGGeometry.h"
#include "platform/NSObject.h"

// The phone's screen: 375 by 667 points at scale 2, its bounds swapped while
// the device lies in landscape.
class UIScreen : public NSObject {
public:
    OBJC_CLASS_NAME(UIScreen)

    static constexpr CGSize kPortraitSize{375, 667};

    static std::shared_ptr<UIScreen> mainScreen();

    CGRect bounds() const { return _bounds; }
    void setBounds(const CGRect& bounds) { _bounds = bounds; }
    double scale() const { return 2; }

private:
    CGRect _bounds{CGPointMake(0, 0), kPortraitSize};
};
