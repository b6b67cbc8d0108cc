#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>

// The build's device image: the bundles and Settings entries as a phone holds
// them under its root. Installing copies it into a device root, replacing the
// files it brings and leaving everything else (settings files, other bundles).
class DeviceImage {
public:
    explicit DeviceImage(std::filesystem::path directory) : _directory(std::move(directory)) {}

    // Fails when the image is missing or a file cannot be copied.
    Result<> installInto(const std::filesystem::path& deviceRoot) const;

private:
    std::filesystem::path _directory;
};
