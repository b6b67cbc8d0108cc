#include "platform/Device.h"

#include "platform/NSPathUtilities.h"

Device& Device::shared() {
    static Device device;
    return device;
}

void Device::setRootDirectory(const std::filesystem::path& root) {
    _root = std::filesystem::absolute(root).lexically_normal();
    std::filesystem::create_directories(hostPath(NSHomeDirectory() + "/Library/Preferences"));
}

std::filesystem::path Device::hostPath(const std::string& devicePath) const {
    if (_root.empty() || devicePath.empty() || devicePath.front() != '/') return {};
    std::filesystem::path relative = std::filesystem::path(devicePath.substr(1)).lexically_normal();
    if (!relative.empty() && *relative.begin() == "..") return {};
    return _root / relative;
}
