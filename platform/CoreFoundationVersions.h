#pragma once

#include <optional>
#include <string>
#include <vector>

// The kCFCoreFoundationVersionNumber each iOS release ships, as Apple's
// CFBase.h names them (kCFCoreFoundationVersionNumber_iOS_9_0 = 1240.10 and
// so on), for the systems a simulated phone can run. PreferenceLoader's
// pl_filter compares against this number, never against the system version.
class CoreFoundationVersions {
public:
    // The system versions known here, oldest first ("7.0" ... "17.0").
    static const std::vector<std::string>& systemVersions();
    static const std::string& newestSystemVersion();
    // Nullopt for a system version not in the list.
    static std::optional<double> forSystemVersion(const std::string& systemVersion);
};
