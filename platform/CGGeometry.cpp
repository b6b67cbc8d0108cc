#include "platform/CGGeometry.h"

#include <sstream>

std::string NSStringFromCGRect(const CGRect& rect) {
    std::ostringstream out;
    out << "{{" << rect.origin.x << ", " << rect.origin.y << "}, {" << rect.size.width << ", " << rect.size.height
        << "}}";
    return out.str();
}
