#include "fuzz/FuzzDevice.h"

#include "platform/RunLoop.h"
#include "platform/UIApplication.h"
#include "shell/VimbleFiles.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Longer than any timer or animation a page starts.
constexpr double kSettleSeconds = 2;

} // namespace

FuzzDevice& FuzzDevice::shared() {
    static FuzzDevice device;
    return device;
}

FuzzDevice::FuzzDevice() {
    if (std::filesystem::exists("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
    _device = std::make_unique<TemporaryDevice>();
}

void FuzzDevice::place(const std::string& devicePath, const std::uint8_t* data, std::size_t size) {
    for (const auto& path : {VimbleFiles::settingsFilePath(), VimbleFiles::favoritesFilePath(), VimbleFiles::skintoneFilePath()}) {
        std::filesystem::remove(_device->hostPath(path));
    }
    _device->writeFile(devicePath, std::string(reinterpret_cast<const char*>(data), size));
}

void FuzzDevice::settle() {
    RunLoop::main().advanceBy(kSettleSeconds);
    UIApplication::sharedApplication()->setKeyWindow(nullptr);
}
