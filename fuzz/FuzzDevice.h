#pragma once

#include "support/TemporaryDevice.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The simulated phone of a fuzzing run: one device root for the whole run,
// in memory where it can be (every tap writes a file), with the bundle's
// pictures, on the manual clock. Each input takes the place of one file.
class FuzzDevice {
public:
    static FuzzDevice& shared();

    // Puts the bytes at `devicePath`, with no other settings file beside it.
    void place(const std::string& devicePath, const std::uint8_t* data, std::size_t size);
    // Lets the pages' timers and animations run out and lets go of the key
    // window, so that nothing of one input is left for the next.
    void settle();

private:
    FuzzDevice();

    std::unique_ptr<TemporaryDevice> _device;
};
