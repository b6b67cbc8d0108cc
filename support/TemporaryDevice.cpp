#include "support/TemporaryDevice.h"

#include "platform/Device.h"
#include "platform/NSNotificationCenter.h"
#include "platform/RunLoop.h"
#include "platform/UIApplication.h"
#include "platform/UIDevice.h"

#include <fstream>
#include <sstream>

namespace {

std::filesystem::path makeTemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vimble-device-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (!made) throw std::runtime_error("cannot create a temporary device root");
    return made;
}

void installBundleImages(const std::filesystem::path& root) {
    std::filesystem::path source = VIMBLE_BUNDLE_DIR;
    std::filesystem::path target = root / "Library/PreferenceBundles/Vimble.bundle";
    std::filesystem::create_directories(target);
    if (!std::filesystem::exists(source)) return;
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        if (entry.path().extension() == ".png") std::filesystem::copy_file(entry.path(), target / entry.path().filename());
    }
}

} // namespace

TemporaryDevice::TemporaryDevice(Images images) : _root(makeTemporaryDirectory()) {
    Device::shared().setRootDirectory(_root);
    Device::shared().setInstalledAppSchemes({});
    Device::shared().restoreSettings();
    if (images == Images::Installed) installBundleImages(_root);
    RunLoop::main().useManualClock();
    UIApplication::sharedApplication()->setKeyWindow(nullptr);
    UIApplication::sharedApplication()->forgetOpenedURLs();
    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::Portrait);
}

TemporaryDevice::~TemporaryDevice() {
    UIApplication::sharedApplication()->setKeyWindow(nullptr);
    RunLoop::main().useManualClock();
    std::error_code ignored;
    std::filesystem::remove_all(_root, ignored);
}

std::filesystem::path TemporaryDevice::hostPath(const std::string& devicePath) const {
    return Device::shared().hostPath(devicePath);
}

std::string TemporaryDevice::settingsFile() { return "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist"; }
std::string TemporaryDevice::favoritesFile() { return "/var/mobile/Library/Preferences/com.korvent.vimble.plist"; }
std::string TemporaryDevice::skintoneFile() { return "/var/mobile/Library/Preferences/com.korvent.vimblest.plist"; }

void TemporaryDevice::writeFile(const std::string& devicePath, const std::string& bytes) const {
    auto path = hostPath(devicePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TemporaryDevice::readFile(const std::string& devicePath) const {
    std::ifstream file(hostPath(devicePath), std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

bool TemporaryDevice::exists(const std::string& devicePath) const { return std::filesystem::exists(hostPath(devicePath)); }
