#pragma once

#include <filesystem>
#include <set>
#include <string>

// The simulated phone's storage and installed apps. Device paths such as
// "/var/mobile/Library/Preferences/x.plist" resolve under a root directory on
// the Linux host; the panel only ever sees device paths.
class Device {
public:
    static Device& shared();

    // Points the device at a root directory, creating the directories every
    // phone has (the user's preferences directory among them).
    void setRootDirectory(const std::filesystem::path& root);
    const std::filesystem::path& rootDirectory() const { return _root; }

    // The host path of a device path; empty for a relative path or one that
    // would leave the root.
    std::filesystem::path hostPath(const std::string& devicePath) const;

    // URL schemes of the apps installed on the device, such as "twitter".
    const std::set<std::string>& installedAppSchemes() const { return _installedAppSchemes; }
    void setInstalledAppSchemes(std::set<std::string> schemes) { _installedAppSchemes = std::move(schemes); }

private:
    std::filesystem::path _root;
    std::set<std::string> _installedAppSchemes;
};
