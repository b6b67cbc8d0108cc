#include "preview/AppContainers.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPreferencesFolder = "Library/Preferences";

// Whether the host path of `devicePath`, symbolic links followed, is still
// inside the device root: a container placed by hand may hold a link out of it.
bool staysInsideRoot(const std::string& devicePath) {
    fs::path host = Device::shared().hostPath(devicePath);
    if (host.empty()) return false;
    std::error_code status;
    fs::path resolved = fs::weakly_canonical(host, status);
    fs::path root = fs::weakly_canonical(Device::shared().rootDirectory(), status);
    if (status) return false;
    auto [rootEnd, unused] = std::mismatch(root.begin(), root.end(), resolved.begin(), resolved.end());
    return rootEnd == root.end();
}

std::string metadataIdentifierOf(const std::string& container) {
    auto metadata = PropertyList::readDictionary(container + "/" + AppContainers::kMetadataFile);
    if (!metadata) return {};
    auto found = metadata->find(AppContainers::kMetadataIdentifierKey);
    return found != metadata->end() && found->second.isString() ? found->second.asString() : std::string();
}

} // namespace

// RFC 4122's version 5 in the URL namespace, so any uuid5 tool gives the same UUID.
std::string AppContainers::nameBasedUUID(const std::string& name) {
    static constexpr std::array<unsigned char, 16> kURLNamespace = {0x6b, 0xa7, 0xb8, 0x11, 0x9d, 0xad, 0x11, 0xd1,
                                                                     0x80, 0xb4, 0x00, 0xc0, 0x4f, 0xd4, 0x30, 0xc8};
    std::string input(kURLNamespace.begin(), kURLNamespace.end());
    input += name;
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    EVP_Digest(input.data(), input.size(), digest.data(), &length, EVP_sha1(), nullptr);
    digest[6] = static_cast<unsigned char>((digest[6] & 0x0F) | 0x50); // version 5
    digest[8] = static_cast<unsigned char>((digest[8] & 0x3F) | 0x80); // the RFC 4122 variant
    std::string uuid;
    for (std::size_t index = 0; index < 16; ++index) {
        if (index == 4 || index == 6 || index == 8 || index == 10) uuid += '-';
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", digest[index]);
        uuid += hex;
    }
    return uuid;
}

std::string AppContainers::bundleUUIDFor(const std::string& identifier) { return nameBasedUUID("bundle:" + identifier); }

std::string AppContainers::containerFor(const char* directory, const std::string& kind, const std::string& identifier) {
    std::error_code status;
    for (const auto& item : fs::directory_iterator(Device::shared().hostPath(directory), status)) {
        std::string container = std::string(directory) + "/" + item.path().filename().string();
        if (item.is_directory(status) && metadataIdentifierOf(container) == identifier) return container;
    }
    return std::string(directory) + "/" + nameBasedUUID(kind + ":" + identifier);
}

std::string AppContainers::dataContainerFor(const std::string& identifier) {
    return containerFor(kDataContainers, "data", identifier);
}

std::string AppContainers::groupContainerFor(const std::string& groupIdentifier) {
    return containerFor(kGroupContainers, "group", groupIdentifier);
}

std::string AppContainers::defaultsFileIn(const std::string& container, const std::string& domain) {
    return container + "/" + kPreferencesFolder + "/" + domain + ".plist";
}

bool AppContainers::prepareContainer(const std::string& container, const std::string& identifier) {
    std::string preferences = container + "/" + kPreferencesFolder;
    if (!staysInsideRoot(preferences)) return false;
    std::error_code status;
    fs::create_directories(Device::shared().hostPath(preferences), status);
    if (status || !staysInsideRoot(container + "/" + kMetadataFile)) return false;
    if (metadataIdentifierOf(container) == identifier) return true;
    auto metadata = std::make_shared<ValueDictionary>();
    (*metadata)[kMetadataIdentifierKey] = Value(identifier);
    return PropertyList::write(Value(metadata), container + "/" + kMetadataFile);
}

std::vector<std::string> AppContainers::presentDefaultsFiles() {
    std::vector<std::string> files;
    for (const char* directory : {kDataContainers, kGroupContainers}) {
        std::error_code status;
        for (const auto& container : fs::directory_iterator(Device::shared().hostPath(directory), status)) {
            std::string preferences = std::string(directory) + "/" + container.path().filename().string() + "/" +
                                      kPreferencesFolder;
            // A Library linked out of the device is none of the phone's business, nor of a reset's.
            if (!staysInsideRoot(preferences)) continue;
            std::error_code inner;
            for (const auto& file : fs::directory_iterator(Device::shared().hostPath(preferences), inner)) {
                if (file.path().extension() == ".plist") files.push_back(preferences + "/" + file.path().filename().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}
