#pragma once

#include <string>
#include <vector>

// One row of the Settings list, from an entry plist anywhere under
// /Library/PreferenceLoader/Preferences (PreferenceLoader walks its
// subfolders too): the row's label and icon and the
// bundle that the row opens, or, for an entry with `items` and no bundle,
// the page those items make.
struct SettingsEntry {
    static constexpr const char* kEntriesDirectory = "/Library/PreferenceLoader/Preferences";
    static constexpr const char* kBundlesDirectory = "/Library/PreferenceBundles";

    std::string label;
    std::string icon;     // file name inside the bundle directory (beside the entry for a page); may be empty
    std::string bundle;   // bundle name without ".bundle"; empty for a page
    std::string detail;   // the root page class when the bundle names none
    std::string pageFile; // for a page: the entry's own device path
    std::string file;     // the entry's own device path

    bool isPage() const { return !pageFile.empty(); }
    // The device path of the bundle directory, with no trailing slash.
    std::string bundleDirectory() const { return std::string(kBundlesDirectory) + "/" + bundle + ".bundle"; }
    std::string iconPath() const;

    // Every readable entry on the device, by label; malformed ones are left out.
    static std::vector<SettingsEntry> installedEntries();
};
