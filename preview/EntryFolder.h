#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>

// A folder of Settings entries and bundles a person installs beside the
// build's own: each `*.bundle` folder goes to /Library/PreferenceBundles,
// each `.plist` or `.png` file (entries and their icons) to
// /Library/PreferenceLoader/Preferences; anything else stays behind.
// Nothing the build's device image brings is replaced.
class EntryFolder {
public:
    explicit EntryFolder(std::filesystem::path directory) : _directory(std::move(directory)) {}

    // Fails when the folder is missing, would replace a file of
    // `deviceImage`, or a file cannot be copied.
    Result<> installInto(const std::filesystem::path& deviceRoot, const std::filesystem::path& deviceImage) const;

private:
    // The place under a device root where `item` goes; empty when it is not installed.
    static std::filesystem::path placeOf(const std::filesystem::directory_entry& item);

    std::filesystem::path _directory;
};
