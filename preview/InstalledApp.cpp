#include "preview/InstalledApp.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "preview/AppContainers.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppExtension = ".app";

std::string stringFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isString() ? found->second.asString() : std::string();
}

const ValueDictionary* dictionaryFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isDictionary() ? found->second.asDictionary().get() : nullptr;
}

// CFBundleIcons > CFBundlePrimaryIcon > CFBundleIconFiles, else the old
// top-level CFBundleIconFiles, else CFBundleIconFile.
std::vector<std::string> iconNames(const ValueDictionary& info) {
    std::vector<std::string> names;
    const ValueDictionary* icons = dictionaryFor(info, "CFBundleIcons");
    const ValueDictionary* primary = icons ? dictionaryFor(*icons, "CFBundlePrimaryIcon") : nullptr;
    for (const ValueDictionary* holder : {primary, &info}) {
        auto files = holder ? holder->find("CFBundleIconFiles") : info.end();
        if (!holder || files == holder->end() || !files->second.isArray()) continue;
        for (const Value& file : *files->second.asArray()) {
            if (file.isString()) names.push_back(file.asString());
        }
        if (!names.empty()) return names;
    }
    if (std::string single = stringFor(info, "CFBundleIconFile"); !single.empty()) names.push_back(single);
    return names;
}

// The files the phone would try for an icon named `name`, sharpest first;
// a name may come without its ".png".
std::vector<std::string> candidatesFor(const std::string& name) {
    std::string stem = name.ends_with(".png") ? name.substr(0, name.size() - 4) : name;
    return {stem + "@3x.png", stem + "@2x.png", stem + ".png", stem + "@2x~iphone.png", stem + "~iphone.png"};
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

std::string InstalledApp::iconIn(const std::string& appDirectory, const ValueDictionary& info) {
    std::vector<std::string> names = iconNames(info);
    // Lists name the small icons first: the last is the one the phone prefers.
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!isPlainName(*name)) continue;
        for (const auto& candidate : candidatesFor(*name)) {
            std::error_code status;
            if (fs::is_regular_file(Device::shared().hostPath(appDirectory + "/" + candidate), status)) {
                return appDirectory + "/" + candidate;
            }
        }
    }
    return {};
}

std::string InstalledApp::displayName(const ValueDictionary& info, const std::string& folderName) {
    if (std::string name = stringFor(info, "CFBundleDisplayName"); !name.empty()) return name;
    if (std::string name = stringFor(info, "CFBundleName"); !name.empty()) return name;
    return folderName.ends_with(kAppExtension) ? folderName.substr(0, folderName.size() - 4) : folderName;
}

InstalledApp InstalledApp::read(const std::string& appDirectory) {
    InstalledApp app;
    app.appDirectory = appDirectory;
    std::string folderName = fs::path(appDirectory).filename().string();
    auto info = PropertyList::readDictionary(appDirectory + "/Info.plist");
    if (!info) {
        app.name = displayName({}, folderName);
        app.problem = "The app has no readable Info.plist at " + appDirectory + "/Info.plist.";
        return app;
    }
    app.name = displayName(*info, folderName);
    app.identifier = stringFor(*info, "CFBundleIdentifier");
    app.iconPath = iconIn(appDirectory, *info);
    if (app.identifier.empty()) app.problem = "The app's Info.plist names no CFBundleIdentifier.";
    return app;
}

std::vector<InstalledApp> InstalledApp::installedApps() {
    std::vector<InstalledApp> apps;
    std::error_code status;
    for (const auto& container : fs::directory_iterator(Device::shared().hostPath(AppContainers::kBundleContainers), status)) {
        std::error_code inner;
        for (const auto& item : fs::directory_iterator(container.path(), inner)) {
            std::string name = item.path().filename().string();
            if (!name.ends_with(kAppExtension) || !item.is_directory(inner)) continue;
            apps.push_back(read(std::string(AppContainers::kBundleContainers) + "/" +
                                container.path().filename().string() + "/" + name));
        }
    }
    std::sort(apps.begin(), apps.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return apps;
}
