#pragma once

#include "platform/NSObject.h"

#include <memory>
#include <string>

// An RGBA colour, components from 0 to 1.
class UIColor : public NSObject {
public:
    OBJC_CLASS_NAME(UIColor)

    static std::shared_ptr<UIColor> colorWithRed_green_blue_alpha(double red, double green, double blue, double alpha);
    static std::shared_ptr<UIColor> whiteColor();
    static std::shared_ptr<UIColor> blackColor();
    static std::shared_ptr<UIColor> greenColor();
    static std::shared_ptr<UIColor> clearColor();
    static std::shared_ptr<UIColor> lightGrayColor();
    static std::shared_ptr<UIColor> groupTableViewBackgroundColor();
    // The tint every view takes when nothing above it sets one.
    static std::shared_ptr<UIColor> systemBlueColor();

    double red() const { return _red; }
    double green() const { return _green; }
    double blue() const { return _blue; }
    double alpha() const { return _alpha; }

    bool isEqual(const UIColor& other) const;
    // "rgba(254, 202, 0, 1)", the form a browser draws.
    std::string cssString() const;

private:
    double _red = 0;
    double _green = 0;
    double _blue = 0;
    double _alpha = 1;
};
