#include "platform/NSBundle.h"

#include "platform/Device.h"
#include "platform/NSPathUtilities.h"

#include <filesystem>

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(const std::string& path) {
    auto bundle = alloc<NSBundle>();
    bundle->_bundlePath = path;
    return bundle;
}

std::shared_ptr<NSBundle> NSBundle::bundleForClass(const ObjCClass* objcClass) {
    if (!objcClass || objcClass->bundlePath().empty()) return nullptr;
    return bundleWithPath(objcClass->bundlePath());
}

std::string NSBundle::pathForResource_ofType(const std::string& name, const std::string& type) const {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    std::string path = stringByAppendingPathComponent(_bundlePath, type.empty() ? name : name + "." + type);
    std::error_code status;
    std::filesystem::path hostPath = Device::shared().hostPath(path);
    if (hostPath.empty() || !std::filesystem::is_regular_file(hostPath, status)) return {};
    return path;
}
