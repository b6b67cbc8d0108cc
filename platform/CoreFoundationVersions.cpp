#include "platform/CoreFoundationVersions.h"

#include <algorithm>
#include <utility>

namespace {

// One entry per major release, from Apple's headers where they name it (7.0
// to 10.0 in CFBase.h) and from the number each release reports otherwise.
const std::vector<std::pair<std::string, double>>& versionTable() {
    static const std::vector<std::pair<std::string, double>> table = {
        {"7.0", 847.20},   {"8.0", 1140.10},  {"9.0", 1240.10},    {"10.0", 1348.00},
        {"11.0", 1443.00}, {"12.0", 1556.00}, {"13.0", 1665.15},   {"14.0", 1751.108},
        {"15.0", 1854.00}, {"16.0", 1946.10}, {"17.0", 2015.00},
    };
    return table;
}

} // namespace

const std::vector<std::string>& CoreFoundationVersions::systemVersions() {
    static const std::vector<std::string> versions = [] {
        std::vector<std::string> names;
        for (const auto& [system, number] : versionTable()) names.push_back(system);
        return names;
    }();
    return versions;
}

const std::string& CoreFoundationVersions::newestSystemVersion() { return systemVersions().back(); }

std::optional<double> CoreFoundationVersions::forSystemVersion(const std::string& systemVersion) {
    const auto& table = versionTable();
    auto found = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.first == systemVersion; });
    if (found == table.end()) return std::nullopt;
    return found->second;
}
