#include "preview/InstalledLanguages.h"

#include "platform/Device.h"
#include "preview/AppContainers.h"

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

// Each app's Settings.bundle, in /var/containers/Bundle/Application/<UUID>/Name.app/,
// holds its tables at its top; the app's own *.lproj beside it are no settings page's.
void collectFromApps(std::set<std::string>& languages) {
    std::error_code status;
    auto containers = Device::shared().hostPath(AppContainers::kBundleContainers);
    for (const auto& container : std::filesystem::directory_iterator(containers, status)) {
        for (const auto& app : std::filesystem::directory_iterator(container.path(), status)) {
            if (app.path().extension() != ".app") continue;
            collect(app.path() / "Settings.bundle", 1, languages);
        }
    }
}

} // namespace

std::vector<std::string> InstalledLanguages::list() {
    std::set<std::string> found;
    for (const char* folder : kFolders) collect(Device::shared().hostPath(folder), kDepth, found);
    collectFromApps(found);
    found.erase("Base");
    std::vector<std::string> languages{"en"};
    for (const auto& language : found) {
        if (language != "en" && language != "English") languages.push_back(language);
    }
    return languages;
}
