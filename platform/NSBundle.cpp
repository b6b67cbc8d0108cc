#include "platform/NSBundle.h"

#include "platform/Device.h"
#include "platform/Localizations.h"
#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"
#include "platform/StringsTable.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace {

constexpr std::string_view kLocalizationFolderExtension = ".lproj";

timespec modificationTime(const std::filesystem::path& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0) return {};
    return status.st_mtim;
}

// A folder's time comes from a clock that ticks every few milliseconds: a
// folder added within a tick of the last change leaves the time as it was.
// So only a time a few seconds old vouches for the folder's contents.
constexpr std::time_t kRacySeconds = 2;

bool sameSettledTime(const timespec& left, const timespec& right) {
    bool settled = left.tv_sec + kRacySeconds < std::time(nullptr);
    return settled && left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
}

} // namespace

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(const std::string& path) {
    auto bundle = alloc<NSBundle>();
    bundle->_bundlePath = path;
    return bundle;
}

std::shared_ptr<NSBundle> NSBundle::bundleForClass(const ObjCClass* objcClass) {
    if (!objcClass || objcClass->bundlePath().empty()) return nullptr;
    return bundleWithPath(objcClass->bundlePath());
}

std::string NSBundle::pathForResource_ofType(const std::string& name, const std::string& type) const {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    std::string path = stringByAppendingPathComponent(_bundlePath, type.empty() ? name : name + "." + type);
    std::error_code status;
    std::filesystem::path hostPath = Device::shared().hostPath(path);
    if (hostPath.empty() || !std::filesystem::is_regular_file(hostPath, status)) return {};
    return path;
}

std::string NSBundle::pathForResource_ofType_inDirectory(const std::string& name, const std::string& type,
                                                        const std::string& directory) const {
    if (directory.empty()) return pathForResource_ofType(name, type);
    std::filesystem::path relative(directory);
    if (relative.is_absolute()) return {};
    std::string folder = _bundlePath;
    for (const auto& part : relative) {
        if (part.empty() || part == "." || part == "..") return {};
        folder = stringByAppendingPathComponent(folder, part.string());
    }
    auto inFolder = bundleWithPath(folder);
    return inFolder ? inFolder->pathForResource_ofType(name, type) : std::string();
}

std::vector<std::string> NSBundle::resourceNamesOfType(const std::string& type) const {
    std::vector<std::string> names;
    std::filesystem::path folder = Device::shared().hostPath(_bundlePath);
    std::error_code status;
    if (folder.empty() || !std::filesystem::is_directory(folder, status)) return names;
    std::string extension = "." + type;
    for (const auto& entry : std::filesystem::directory_iterator(folder, status)) {
        std::string name = entry.path().filename().string();
        if (name.size() <= extension.size() || !name.ends_with(extension) || !entry.is_regular_file(status)) continue;
        names.push_back(name.substr(0, name.size() - extension.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::shared_ptr<ValueDictionary> NSBundle::infoDictionary() const {
    return PropertyList::readDictionary(stringByAppendingPathComponent(_bundlePath, "Info.plist"));
}

std::vector<std::string> NSBundle::localizations() const {
    std::vector<std::string> names;
    std::filesystem::path folder = Device::shared().hostPath(_bundlePath);
    std::error_code status;
    if (folder.empty() || !std::filesystem::is_directory(folder, status)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder, status)) {
        std::string name = entry.path().filename().string();
        if (!name.ends_with(kLocalizationFolderExtension) || !entry.is_directory(status)) continue;
        name.resize(name.size() - kLocalizationFolderExtension.size());
        if (!name.empty()) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string NSBundle::developmentLocalization() const {
    auto info = infoDictionary();
    if (!info) return "en";
    auto region = info->find("CFBundleDevelopmentRegion");
    bool named = region != info->end() && region->second.isString() && !region->second.asString().empty();
    return named ? region->second.asString() : "en";
}

std::vector<std::string> NSBundle::preferredLocalizations() const {
    const std::vector<std::string>& languages = Device::shared().preferredLanguages();
    timespec folderTime = modificationTime(Device::shared().hostPath(_bundlePath));
    if (languages == _lookupOrderLanguages && sameSettledTime(folderTime, _lookupOrderFolderTime)) return _lookupOrder;
    _lookupOrder = Localizations::lookupOrder(localizations(), languages, developmentLocalization());
    _lookupOrderLanguages = languages;
    _lookupOrderFolderTime = folderTime;
    return _lookupOrder;
}

std::string NSBundle::localizedStringForKey_value_table(const std::string& key, const std::string& value,
                                                        const std::string& table) const {
    std::string fileName = (table.empty() ? std::string("Localizable") : table) + ".strings";
    std::vector<std::string> folders;
    for (const std::string& localization : preferredLocalizations()) {
        folders.push_back(stringByAppendingPathComponent(_bundlePath, localization + std::string(kLocalizationFolderExtension)));
    }
    folders.push_back(_bundlePath);
    for (const std::string& folder : folders) {
        auto strings = StringsTable::load(stringByAppendingPathComponent(folder, fileName));
        const std::string* found = strings ? strings->find(key) : nullptr;
        if (found) return *found;
    }
    return value.empty() ? key : value;
}
