#include "preview/AppFolder.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "preview/AppContainers.h"
#include "preview/InstalledApp.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kInfoPlist = "Info.plist";

std::shared_ptr<ValueDictionary> readHostDictionary(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    Value value = PropertyList::fromData(bytes.str());
    return value.isDictionary() ? value.asDictionary() : nullptr;
}

// An identifier names files (<identifier>.plist): one path component that
// is no hidden file, and no Xcode build setting left unexpanded.
bool isUsableIdentifier(const std::string& identifier) {
    return !identifier.empty() && identifier.front() != '.' && identifier.find('/') == std::string::npos &&
           identifier.find("$(") == std::string::npos && identifier.find("${") == std::string::npos;
}

// Xcode fills in its build settings only as it builds the app; an Info.plist
// as a project keeps it often names them, so say how to give the real one.
std::string buildSettingAdvice(const std::string& identifier) {
    if (identifier.find("$(") == std::string::npos && identifier.find("${") == std::string::npos) return {};
    return ": Xcode fills in that build setting as it builds the app; install the built Name.app, or a folder "
           "holding the Settings.bundle and an Info.plist that names the identifier";
}

std::string identifierIn(const ValueDictionary& info) {
    auto found = info.find("CFBundleIdentifier");
    return found != info.end() && found->second.isString() ? found->second.asString() : std::string();
}

std::string folderNameFor(const std::string& name) {
    std::string folder = name;
    for (char& character : folder) {
        if (character == '/') character = '-';
    }
    if (folder.empty() || folder.front() == '.') folder = "App" + folder;
    return folder + ".app";
}

} // namespace

// "Notes.app/" is the folder Notes.app.
AppFolder::AppFolder(const fs::path& path) : _path(fs::absolute(path).lexically_normal()) {
    if (_path.filename().empty()) _path = _path.parent_path();
}

bool AppFolder::isAppFolder(const fs::path& path) {
    AppFolder folder(path);
    return folder._path.extension() == ".app" || folder.isBareSettingsBundle();
}

bool AppFolder::isBareSettingsBundle() const { return _path.filename() == InstalledApp::kSettingsBundle; }

fs::path AppFolder::infoPlistPath() const {
    return isBareSettingsBundle() ? _path.parent_path() / kInfoPlist : _path / kInfoPlist;
}

bool AppFolder::install(std::string& error) const {
    std::error_code status;
    if (!fs::is_directory(_path, status)) {
        error = "no app folder at " + _path.string();
        return false;
    }
    auto info = readHostDictionary(infoPlistPath());
    if (!info) {
        error = "the app at " + _path.string() + " has no readable Info.plist at " + infoPlistPath().string();
        return false;
    }
    std::string identifier = identifierIn(*info);
    if (!isUsableIdentifier(identifier)) {
        error = infoPlistPath().string() + " names no usable CFBundleIdentifier (\"" + identifier + "\")" +
                buildSettingAdvice(identifier);
        return false;
    }
    std::string container = std::string(AppContainers::kBundleContainers) + "/" + AppContainers::bundleUUIDFor(identifier);
    std::string folder = isBareSettingsBundle() ? folderNameFor(InstalledApp::displayName(*info, identifier))
                                                : _path.filename().string();
    fs::remove_all(Device::shared().hostPath(container), status);
    if (!copyInto(Device::shared().hostPath(container + "/" + folder), error)) return false;
    if (!AppContainers::prepareContainer(AppContainers::dataContainerFor(identifier), identifier)) {
        error = "cannot make the data container of " + identifier;
        return false;
    }
    return true;
}

bool AppFolder::copyInto(const fs::path& appDirectory, std::string& error) const {
    try {
        fs::create_directories(appDirectory);
        if (isBareSettingsBundle()) {
            fs::copy_file(infoPlistPath(), appDirectory / kInfoPlist);
            fs::copy(_path, appDirectory / InstalledApp::kSettingsBundle, fs::copy_options::recursive);
            return true;
        }
        fs::copy(_path, appDirectory, fs::copy_options::recursive);
        return true;
    } catch (const fs::filesystem_error& failure) {
        error = std::string("cannot install the app: ") + failure.what();
        return false;
    }
}
