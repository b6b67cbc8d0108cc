#include "platform/UIColor.h"

#include <cmath>
#include <sstream>

std::shared_ptr<UIColor> UIColor::colorWithRed_green_blue_alpha(double red, double green, double blue, double alpha) {
    auto color = alloc<UIColor>();
    color->_red = red;
    color->_green = green;
    color->_blue = blue;
    color->_alpha = alpha;
    return color;
}

std::shared_ptr<UIColor> UIColor::whiteColor() { return colorWithRed_green_blue_alpha(1, 1, 1, 1); }
std::shared_ptr<UIColor> UIColor::blackColor() { return colorWithRed_green_blue_alpha(0, 0, 0, 1); }
std::shared_ptr<UIColor> UIColor::greenColor() { return colorWithRed_green_blue_alpha(0, 1, 0, 1); }
std::shared_ptr<UIColor> UIColor::clearColor() { return colorWithRed_green_blue_alpha(0, 0, 0, 0); }
std::shared_ptr<UIColor> UIColor::lightGrayColor() { return colorWithRed_green_blue_alpha(2 / 3.0, 2 / 3.0, 2 / 3.0, 1); }
std::shared_ptr<UIColor> UIColor::groupTableViewBackgroundColor() {
    return colorWithRed_green_blue_alpha(239 / 255.0, 239 / 255.0, 244 / 255.0, 1);
}
std::shared_ptr<UIColor> UIColor::systemBlueColor() {
    return colorWithRed_green_blue_alpha(0, 122 / 255.0, 1, 1);
}

bool UIColor::isEqual(const UIColor& other) const {
    return _red == other._red && _green == other._green && _blue == other._blue && _alpha == other._alpha;
}

std::string UIColor::cssString() const {
    auto channel = [](double component) { return static_cast<int>(std::lround(component * 255)); };
    std::ostringstream out;
    out << "rgba(" << channel(_red) << ", " << channel(_green) << ", " << channel(_blue) << ", " << _alpha << ")";
    return out.str();
}
