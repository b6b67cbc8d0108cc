#include "preview/CodeStandIn.h"

#include "platform/Device.h"
#include "platform/NSLog.h"
#include "platform/PropertyList.h"
#include "preview/PlistPageController.h"

#include <elf.h>

#include <filesystem>
#include <fstream>

namespace {

#if defined(__aarch64__)
constexpr std::uint16_t kThisMachine = EM_AARCH64;
#else
constexpr std::uint16_t kThisMachine = EM_X86_64;
#endif

std::string executableName(const SettingsEntry& entry) {
    auto info = PropertyList::readDictionary(entry.bundleDirectory() + "/Info.plist");
    if (!info) return entry.bundle;
    auto name = info->find("CFBundleExecutable");
    bool named = name != info->end() && name->second.isString() && !name->second.asString().empty();
    return named ? name->second.asString() : entry.bundle;
}

bool isElfForThisMachine(const std::filesystem::path& file) {
    Elf64_Ehdr header{};
    std::ifstream stream(file, std::ios::binary);
    if (!stream.read(reinterpret_cast<char*>(&header), sizeof header)) return false;
    bool elf = header.e_ident[EI_MAG0] == ELFMAG0 && header.e_ident[EI_MAG1] == ELFMAG1 &&
               header.e_ident[EI_MAG2] == ELFMAG2 && header.e_ident[EI_MAG3] == ELFMAG3;
    return elf && header.e_ident[EI_CLASS] == ELFCLASS64 && header.e_machine == kThisMachine;
}

// A page a list controller loads: a dictionary whose `items` are its rows.
bool isPage(const std::string& devicePath) {
    auto page = PropertyList::readDictionary(devicePath);
    if (!page) return false;
    auto items = page->find("items");
    return items != page->end() && items->second.isArray();
}

// Root.plist, else the bundle's only page: its code loads it under another name.
std::string standInPageOf(const SettingsEntry& entry) {
    std::string rootPage = entry.bundleDirectory() + "/" + CodeStandIn::kRootPage;
    std::error_code status;
    if (std::filesystem::is_regular_file(Device::shared().hostPath(rootPage), status)) return rootPage;
    std::vector<std::string> pages;
    for (const auto& file : std::filesystem::directory_iterator(Device::shared().hostPath(entry.bundleDirectory()), status)) {
        std::string name = file.path().filename().string();
        if (file.path().extension() != ".plist" || name == "Info.plist") continue;
        if (isPage(entry.bundleDirectory() + "/" + name)) pages.push_back(entry.bundleDirectory() + "/" + name);
    }
    return pages.size() == 1 ? pages.front() : std::string();
}

// The page's own table, as Preferences reads it; for a page of another name
// without one, Localizable.strings, through which such code puts its texts.
std::string tableOf(const std::string& page, const SettingsEntry& entry) {
    std::string table = std::filesystem::path(page).stem().string();
    if (std::filesystem::path(page).filename() == CodeStandIn::kRootPage) return table;
    std::filesystem::path bundle = Device::shared().hostPath(entry.bundleDirectory());
    std::error_code status;
    if (std::filesystem::exists(bundle / (table + ".strings"), status)) return table;
    for (const auto& folder : std::filesystem::directory_iterator(bundle, status)) {
        if (folder.path().extension() == ".lproj" && std::filesystem::exists(folder.path() / (table + ".strings"), status)) {
            return table;
        }
    }
    return {};
}

} // namespace

std::string CodeStandIn::whyCodeCannotRun(const SettingsEntry& entry) {
    std::string name = executableName(entry);
    if (name.find('/') != std::string::npos) return {}; // the loader says what is wrong with such a name
    std::string devicePath = entry.bundleDirectory() + "/" + name;
    std::filesystem::path file = Device::shared().hostPath(devicePath);
    std::error_code status;
    if (!std::filesystem::is_regular_file(file, status)) return "the bundle has no executable " + devicePath;
    if (!isElfForThisMachine(file)) return devicePath + " is built for another machine (the phone)";
    return {};
}

std::shared_ptr<UIViewController> CodeStandIn::pageFor(const SettingsEntry& entry) {
    std::string page = standInPageOf(entry);
    if (page.empty()) return nullptr;
    std::string why = whyCodeCannotRun(entry);
    if (why.empty()) return nullptr;
    NSLog("Settings: " + why + "; its page is built from " + page + " in place of its code");
    return alloc<PlistPageController>()->initWithFile_table(page, tableOf(page, entry));
}
