#include "platform/Device.h"

#include "platform/CoreFoundationVersions.h"
#include "platform/NSPathUtilities.h"

#include <algorithm>
#include <string_view>

Device& Device::shared() {
    static Device device;
    return device;
}

void Device::setRootDirectory(const std::filesystem::path& root) {
    _root = std::filesystem::absolute(root).lexically_normal();
    std::filesystem::create_directories(hostPath(NSHomeDirectory() + "/Library/Preferences"));
    std::filesystem::create_directories(hostPath("/var/containers/Bundle/Application"));
}

namespace {

// Whether a path is already as lexically_normal would leave it: no empty, "."
// or ".." component before its end. Most device paths are; they are joined to
// the root as they stand, which matters because pages resolve a path for
// every file and picture they read.
bool isNormalRelativePath(std::string_view path) {
    if (path.empty()) return false;
    for (std::size_t start = 0; start < path.size();) {
        std::size_t end = std::min(path.find('/', start), path.size());
        std::string_view component = path.substr(start, end - start);
        if (component.empty() || component == "." || component == "..") return false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::filesystem::path Device::hostPath(const std::string& devicePath) const {
    if (_root.empty() || devicePath.empty() || devicePath.front() != '/') return {};
    std::string_view relativeText = std::string_view(devicePath).substr(1);
    if (isNormalRelativePath(relativeText)) {
        std::string joined = _root.native();
        if (joined.back() != '/') joined += '/';
        joined += relativeText;
        return joined;
    }
    // Every leading slash goes: "//etc" is the device's /etc, never the host's.
    std::size_t start = devicePath.find_first_not_of('/');
    if (start == std::string::npos) return _root;
    std::filesystem::path relative = std::filesystem::path(devicePath.substr(start)).lexically_normal();
    if (!relative.empty() && *relative.begin() == "..") return {};
    return _root / relative;
}

void Device::setPreferredLanguages(std::vector<std::string> languages) {
    // A phone always has a language: an empty list means English, as a new phone has.
    if (languages.empty()) languages = {"en"};
    _preferredLanguages = std::move(languages);
}

bool Device::setSystemVersion(const std::string& systemVersion) {
    if (!CoreFoundationVersions::forSystemVersion(systemVersion)) return false;
    _systemVersion = systemVersion;
    return true;
}

double Device::coreFoundationVersionNumber() const {
    return CoreFoundationVersions::forSystemVersion(_systemVersion).value_or(0.0);
}

void Device::restoreSettings() {
    _preferredLanguages = {"en"};
    _systemVersion = CoreFoundationVersions::newestSystemVersion();
    _capabilities = {"arm64", "armv7", "accelerometer", "auto-focus-camera", "bluetooth-le", "front-facing-camera",
                     "gamekit", "gps", "gyroscope", "location-services", "magnetometer", "metal", "microphone",
                     "opengles-2", "opengles-3", "peer-peer", "sms", "still-camera", "telephony", "video-camera",
                     "wifi"};
}
