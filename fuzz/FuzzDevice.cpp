#include "fuzz/FuzzDevice.h"

#include "platform/Device.h"
#include "platform/RunLoop.h"
#include "platform/UIApplication.h"
#include "platform/UIDevice.h"
#include "shell/VimbleFiles.h"

#include <cstdlib>
#include <fstream>

namespace {

// Longer than any timer or animation a page starts.
constexpr double kSettleSeconds = 2;

std::filesystem::path makeRoot() {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "vimble-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return pattern;
}

void installPictures(const std::filesystem::path& root) {
    std::filesystem::path target = root / "Library/PreferenceBundles/Vimble.bundle";
    std::filesystem::create_directories(target);
    for (const auto& entry : std::filesystem::directory_iterator(VIMBLE_BUNDLE_DIR)) {
        if (entry.path().extension() == ".png") std::filesystem::copy_file(entry.path(), target / entry.path().filename());
    }
}

} // namespace

FuzzDevice& FuzzDevice::shared() {
    static FuzzDevice device;
    return device;
}

FuzzDevice::FuzzDevice() : _root(makeRoot()) {
    Device::shared().setRootDirectory(_root);
    installPictures(_root);
    RunLoop::main().useManualClock();
    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::Portrait);
}

FuzzDevice::~FuzzDevice() {
    std::error_code ignored;
    std::filesystem::remove_all(_root, ignored);
}

void FuzzDevice::place(const std::string& devicePath, const std::uint8_t* data, std::size_t size) {
    for (const auto& path : {VimbleFiles::settingsFilePath(), VimbleFiles::favoritesFilePath(), VimbleFiles::skintoneFilePath()}) {
        std::filesystem::remove(Device::shared().hostPath(path));
    }
    std::ofstream(Device::shared().hostPath(devicePath), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void FuzzDevice::settle() {
    RunLoop::main().advanceBy(kSettleSeconds);
    UIApplication::sharedApplication()->setKeyWindow(nullptr);
}
