#pragma once

#include "platform/Value.h"

#include <string>
#include <vector>

// An app in /var/containers/Bundle/Application/<UUID>/Name.app, as the
// Settings app lists it: by CFBundleDisplayName, else CFBundleName, else the
// folder's name, with the icon its Info.plist names. An app whose Info.plist
// is missing or names no identifier is still listed, by its folder's name,
// and `problem` says what is wrong.
struct InstalledApp {
    static constexpr const char* kSettingsBundle = "Settings.bundle";

    std::string name;
    std::string identifier;
    std::string appDirectory; // device path of Name.app
    std::string iconPath;     // device path of the icon picture; empty when it has none
    std::string problem;      // empty for an app the Settings app can open

    std::string settingsBundleDirectory() const { return appDirectory + "/" + kSettingsBundle; }

    // Every app on the device, by name.
    static std::vector<InstalledApp> installedApps();
    // The app in `appDirectory` (a device path).
    static InstalledApp read(const std::string& appDirectory);
    // The picture an Info.plist names as the app's icon, a device path inside `appDirectory`.
    static std::string iconIn(const std::string& appDirectory, const ValueDictionary& info);
    // The name the phone shows for an app with this Info.plist; `folderName` without ".app" when it names none.
    static std::string displayName(const ValueDictionary& info, const std::string& folderName);
};
