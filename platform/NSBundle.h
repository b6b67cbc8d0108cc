#pragma once

#include "platform/NSObject.h"
#include "platform/ObjCClass.h"

#include <memory>
#include <string>

// A directory of code and resources on the device, as Foundation's NSBundle
// finds files in it. Paths are device paths.
class NSBundle : public NSObject {
public:
    OBJC_CLASS_NAME(NSBundle)

    static std::shared_ptr<NSBundle> bundleWithPath(const std::string& path);
    // The bundle whose executable registered the class; nullptr for a class
    // the app holds itself.
    static std::shared_ptr<NSBundle> bundleForClass(const ObjCClass* objcClass);

    const std::string& bundlePath() const { return _bundlePath; }
    // "<bundle>/<name>.<type>" when that file exists, else empty.
    std::string pathForResource_ofType(const std::string& name, const std::string& type) const;

private:
    std::string _bundlePath;
};
