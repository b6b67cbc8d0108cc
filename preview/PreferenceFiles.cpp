#include "preview/PreferenceFiles.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "preview/AppContainers.h"
#include "preview/BundleDeclarations.h"
#include "preview/InstalledApp.h"

#include <date/date.h>
#include <openssl/evp.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPreferencesPrefix = "/var/mobile/Library/Preferences/";

std::string base64(const std::vector<std::uint8_t>& bytes) {
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), bytes.data(), static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

std::string isoDate(const Date& date) { return date::format("%FT%TZ", std::chrono::floor<std::chrono::seconds>(date)); }

// The files the installed bundles declare, in the order they declare them.
std::vector<std::string> declaredPaths() {
    std::vector<std::string> paths = BundleDeclarations::strings(BundleDeclarations::kPreferenceFilesKey);
    std::erase_if(paths, [](const std::string& path) { return !path.starts_with(kPreferencesPrefix); });
    return paths;
}

std::vector<std::string> presentPaths() {
    std::vector<std::string> paths;
    std::error_code status;
    for (const auto& file : fs::directory_iterator(Device::shared().hostPath(PreferenceFiles::kPreferencesDirectory), status)) {
        if (file.path().extension() == ".plist") paths.push_back(kPreferencesPrefix + file.path().filename().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> appDefaultsPaths() {
    std::vector<std::string> paths;
    for (const auto& app : InstalledApp::installedApps()) {
        if (app.problem.empty()) {
            paths.push_back(AppContainers::defaultsFileIn(AppContainers::dataContainerFor(app.identifier), app.identifier));
        }
    }
    return paths;
}

void appendMissing(std::vector<std::string>& paths, std::vector<std::string> more) {
    for (auto& path : more) {
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(std::move(path));
    }
}

} // namespace

std::vector<std::string> PreferenceFiles::paths() {
    std::vector<std::string> paths = declaredPaths();
    appendMissing(paths, presentPaths());
    appendMissing(paths, appDefaultsPaths());
    appendMissing(paths, AppContainers::presentDefaultsFiles());
    return paths;
}

nlohmann::json PreferenceFiles::snapshot() {
    auto files = nlohmann::json::array();
    for (const auto& path : paths()) {
        Value contents = PropertyList::read(path);
        files.push_back({{"path", path}, {"contents", contents.isNil() ? nlohmann::json() : toJson(contents)}});
    }
    return files;
}

void PreferenceFiles::removeAll() {
    std::error_code status;
    for (const auto& file : fs::directory_iterator(Device::shared().hostPath(kPreferencesDirectory), status)) {
        fs::remove_all(file.path(), status);
    }
    for (const auto& file : AppContainers::presentDefaultsFiles()) fs::remove(Device::shared().hostPath(file), status);
}

nlohmann::json PreferenceFiles::toJson(const Value& value) {
    if (value.isBool()) return value.asBool();
    if (value.isInteger()) return value.asInteger();
    if (value.isUnsignedInteger()) return value.asUnsignedInteger();
    if (value.isReal()) return value.asReal();
    if (value.isString()) return value.asString();
    if (value.isDate()) return isoDate(value.asDate());
    if (value.isData()) return {{"data", base64(value.asData().bytes)}};
    if (value.isArray()) {
        auto array = nlohmann::json::array();
        for (const Value& element : *value.asArray()) array.push_back(toJson(element));
        return array;
    }
    if (value.isDictionary()) {
        auto object = nlohmann::json::object();
        for (const auto& [key, element] : *value.asDictionary()) object[key] = toJson(element);
        return object;
    }
    return nullptr;
}
