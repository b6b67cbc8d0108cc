#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

// A tweak project (or a plain folder of entries and bundles) installed beside
// the build's own bundles and kept in step with it: see TweakProject for
// which files go where. Nothing the build's device image brings is replaced,
// nothing is written outside the device root, and only files this folder
// installed are ever removed.
class EntryFolder {
public:
    // What one pass of keeping the phone in step changed.
    struct Sync {
        std::vector<std::string> changed; // device paths written or removed
        std::vector<std::string> notes;   // what was left out or failed, in words
        bool failed = false;              // a file could not be copied
    };

    // Symbolic links on the way to `directory` are resolved once, here.
    explicit EntryFolder(const std::filesystem::path& directory);

    const std::filesystem::path& directory() const { return _directory; }

    // The first install, at start. Fails when the folder is missing, holds no
    // Settings entry, would replace a file of `deviceImage`, or a file cannot
    // be copied.
    Result<> installInto(const std::filesystem::path& deviceRoot, const std::filesystem::path& deviceImage);
    // What that first install left out, in words, for the event log once the app runs.
    const std::vector<std::string>& installNotes() const { return _installNotes; }
    // New and changed files copied (each replaced whole), files the folder no
    // longer holds removed. A folder that vanished or became a symbolic link
    // keeps on the phone what it installed, and says so.
    Sync syncInto(const std::filesystem::path& deviceRoot, const std::filesystem::path& deviceImage);

private:
    std::filesystem::path _directory;
    std::set<std::string> _installed; // device paths
    std::vector<std::string> _installNotes;
};
