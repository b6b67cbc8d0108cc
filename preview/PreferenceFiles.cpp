#include "preview/PreferenceFiles.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "preview/BundleDeclarations.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPreferencesPrefix = "/var/mobile/Library/Preferences/";

std::string base64(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t index = 0; index < bytes.size(); index += 3) {
        std::size_t count = std::min<std::size_t>(3, bytes.size() - index);
        std::uint32_t chunk = std::uint32_t{bytes[index]} << 16;
        if (count > 1) chunk |= std::uint32_t{bytes[index + 1]} << 8;
        if (count > 2) chunk |= bytes[index + 2];
        text += kAlphabet[(chunk >> 18) & 0x3F];
        text += kAlphabet[(chunk >> 12) & 0x3F];
        text += count > 1 ? kAlphabet[(chunk >> 6) & 0x3F] : '=';
        text += count > 2 ? kAlphabet[chunk & 0x3F] : '=';
    }
    return text;
}

std::string isoDate(const Date& date) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(date);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

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

} // namespace

std::vector<std::string> PreferenceFiles::paths() {
    std::vector<std::string> paths = declaredPaths();
    for (auto& present : presentPaths()) {
        if (std::find(paths.begin(), paths.end(), present) == paths.end()) paths.push_back(std::move(present));
    }
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
}

nlohmann::json PreferenceFiles::toJson(const Value& value) {
    if (value.isBool()) return value.asBool();
    if (value.isInteger()) return value.asInteger();
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
