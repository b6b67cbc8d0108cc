#include "preview/InstalledLanguages.h"

#include "platform/Device.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

constexpr const char* kFolders[] = {"/Library/PreferenceBundles", "/Library/PreferenceLoader/Preferences"};
// Entries lie at most one folder deep; bundles hold their tables at their top.
constexpr int kDepth = 2;

void collect(const std::filesystem::path& folder, int depth, std::set<std::string>& languages) {
    std::error_code status;
    for (const auto& child : std::filesystem::directory_iterator(folder, status)) {
        if (!child.is_directory(status) || child.is_symlink(status)) continue;
        if (child.path().extension() == ".lproj") {
            languages.insert(child.path().stem().string());
            continue;
        }
        if (depth > 1) collect(child.path(), depth - 1, languages);
    }
}

} // namespace

std::vector<std::string> InstalledLanguages::list() {
    std::set<std::string> found;
    for (const char* folder : kFolders) collect(Device::shared().hostPath(folder), kDepth, found);
    found.erase("Base");
    std::vector<std::string> languages{"en"};
    for (const auto& language : found) {
        if (language != "en" && language != "English") languages.push_back(language);
    }
    return languages;
}
