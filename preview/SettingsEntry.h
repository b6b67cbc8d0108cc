#pragma once

#include <string>
#include <vector>

// One row of the Settings list, from an entry plist in
// /Library/PreferenceLoader/Preferences: the row's label and icon and the
// bundle that the row opens.
struct SettingsEntry {
    static constexpr const char* kEntriesDirectory = "/Library/PreferenceLoader/Preferences";
    static constexpr const char* kBundlesDirectory = "/Library/PreferenceBundles";

    std::string label;
    std::string icon;   // file name inside the bundle directory; may be empty
    std::string bundle; // bundle name without ".bundle"
    std::string detail; // the root page class when the bundle names none

    // The device path of the bundle directory, with no trailing slash.
    std::string bundleDirectory() const { return std::string(kBundlesDirectory) + "/" + bundle + ".bundle"; }
    std::string iconPath() const { return icon.empty() ? std::string() : bundleDirectory() + "/" + icon; }

    // Every readable entry on the device, by label; malformed ones are left out.
    static std::vector<SettingsEntry> installedEntries();
};
