#include "preview/SettingsEntry.h"

#include "host/PLFilter.h"
#include "platform/Device.h"
#include "platform/PropertyList.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <tuple>

namespace {

std::string stringFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isString() ? found->second.asString() : std::string();
}

// A bundle name is one path component: nothing in an entry may point outside
// the bundles directory.
bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// An entry opens its bundle; one without a bundle but with items at its top
// level is a page of those items.
std::optional<SettingsEntry> readEntry(const std::string& devicePath) {
    auto file = PropertyList::readDictionary(devicePath);
    if (!file) return std::nullopt;
    auto entry = file->find("entry");
    if (entry == file->end() || !entry->second.isDictionary()) return std::nullopt;
    const ValueDictionary& fields = *entry->second.asDictionary();
    // An entry meant for another system or another phone is not listed.
    if (!PLFilter::itemPasses(fields)) return std::nullopt;
    SettingsEntry result{stringFor(fields, "label"), stringFor(fields, "icon"), stringFor(fields, "bundle"),
                         stringFor(fields, "detail"), {}, devicePath};
    if (result.bundle.empty() && file->contains("items")) result.pageFile = devicePath;
    if (result.label.empty() || (!result.isPage() && !isPlainName(result.bundle))) return std::nullopt;
    if (!result.icon.empty() && !isPlainName(result.icon)) result.icon.clear();
    return result;
}

} // namespace

std::vector<SettingsEntry> SettingsEntry::installedEntries() {
    std::vector<SettingsEntry> entries;
    std::error_code status;
    std::filesystem::path directory = Device::shared().hostPath(kEntriesDirectory);
    // Symbolic links to folders are not followed: nothing outside the device root is listed.
    std::error_code ignored;
    for (std::filesystem::recursive_directory_iterator file(directory, status), end; !status && file != end;
         file.increment(status)) {
        if (file->path().extension() != ".plist" || !file->is_regular_file(ignored)) continue;
        std::string relative = file->path().lexically_relative(directory).generic_string();
        auto entry = readEntry(std::string(kEntriesDirectory) + "/" + relative);
        if (entry) entries.push_back(*entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return std::tie(a.label, a.file) < std::tie(b.label, b.file); });
    return entries;
}

std::string SettingsEntry::iconPath() const {
    if (icon.empty()) return {};
    if (!isPage()) return bundleDirectory() + "/" + icon;
    return pageFile.substr(0, pageFile.rfind('/')) + "/" + icon;
}
