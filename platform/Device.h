#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

// The simulated phone's storage and installed apps. Device paths such as
// "/var/mobile/Library/Preferences/x.plist" resolve under a root directory on
// the Linux host; the panel only ever sees device paths.
class Device {
public:
    Device() { restoreSettings(); }
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

    // What the phone is set to: its languages, most preferred first, as
    // NSLocale.preferredLanguages gives them ("en", "fr-CA"); its system
    // version, one of CoreFoundationVersions::systemVersions(); and the
    // capabilities it has, as UIRequiredDeviceCapabilities names them.
    const std::vector<std::string>& preferredLanguages() const { return _preferredLanguages; }
    void setPreferredLanguages(std::vector<std::string> languages);
    const std::string& systemVersion() const { return _systemVersion; }
    // False, and nothing changes, for a version the phone cannot run.
    bool setSystemVersion(const std::string& systemVersion);
    // kCFCoreFoundationVersionNumber of the system version.
    double coreFoundationVersionNumber() const;
    const std::set<std::string>& capabilities() const { return _capabilities; }
    void setCapabilities(std::set<std::string> capabilities) { _capabilities = std::move(capabilities); }

    // English, the newest system, the capabilities of a current iPhone.
    void restoreSettings();

private:
    std::filesystem::path _root;
    std::set<std::string> _installedAppSchemes;
    std::vector<std::string> _preferredLanguages;
    std::string _systemVersion;
    std::set<std::string> _capabilities;
};
