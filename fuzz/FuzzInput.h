#pragma once

#include "platform/RunLoop.h"
#include "platform/UIApplication.h"
#include "shell/VimbleFiles.h"
#include "support/TemporaryDevice.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

// The simulated phone of a fuzzing run: one device root for the whole run, in
// memory where it can be (every tap writes a file). Each input takes the place
// of one settings file, with no other beside it.
inline const TemporaryDevice& placeInput(const std::string& devicePath, const std::uint8_t* data, std::size_t size) {
    static const TemporaryDevice& device = *[] {
        if (std::filesystem::exists("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
        return new TemporaryDevice();
    }();
    for (const auto& path : {VimbleFiles::settingsFilePath(), VimbleFiles::favoritesFilePath(), VimbleFiles::skintoneFilePath()}) {
        std::filesystem::remove(device.hostPath(path));
    }
    device.writeFile(devicePath, std::string(reinterpret_cast<const char*>(data), size));
    return device;
}

// Lets the pages' timers and animations (none is longer than 2 s) run out and
// lets go of the key window, so that nothing of one input is left for the next.
inline void settleInput() {
    RunLoop::main().advanceBy(2);
    UIApplication::sharedApplication()->setKeyWindow(nullptr);
}
