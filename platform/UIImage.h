#pragma once

#include "platform/CGGeometry.h"
#include "platform/NSObject.h"

#include <memory>
#include <string>

// A picture read from a PNG file on the device. Its size in points is the
// file's pixel size divided by its scale: 2 for a name ending in "@2x.png",
// 3 for "@3x.png", else 1.
class UIImage : public NSObject {
public:
    OBJC_CLASS_NAME(UIImage)

    // nullptr for a missing file or one that is not a PNG.
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::string& devicePath);

    const std::string& path() const { return _path; }
    CGSize size() const { return _size; }
    double scale() const { return _scale; }

private:
    std::string _path;
    CGSize _size;
    double _scale = 1;
};
