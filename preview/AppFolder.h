#pragma once

#include <filesystem>
#include <string>

// An app a person installs on the simulated phone, in one of two forms:
// - `Name.app`, a built app's folder with its Info.plist and Settings.bundle;
// - a bare `Settings.bundle`, the app named by the Info.plist beside it (the
//   way an Xcode project keeps them; only CFBundleIdentifier and a name are
//   read from it).
// It goes where the phone keeps apps: Name.app (for a bare bundle, its name
// and ".app") in /var/containers/Bundle/Application/<UUID>/, replacing what an
// earlier install of the same identifier left there; its data container is
// made with the metadata file naming the app.
class AppFolder {
public:
    explicit AppFolder(const std::filesystem::path& path);

    // Whether `path` is in one of the two forms (by its name: the install says what is missing).
    static bool isAppFolder(const std::filesystem::path& path);

    // False with `error` set when the Info.plist is missing or names no
    // usable identifier, the Settings.bundle is missing, or a file cannot be
    // copied. Needs the device's root directory set.
    bool install(std::string& error) const;

private:
    bool isBareSettingsBundle() const;
    std::filesystem::path infoPlistPath() const;
    bool copyInto(const std::filesystem::path& appDirectory, std::string& error) const;

    std::filesystem::path _path;
};
