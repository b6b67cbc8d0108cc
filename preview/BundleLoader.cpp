#include "preview/BundleLoader.h"

#include "host/PSPlistListController.h"
#include "platform/NSLog.h"
#include "platform/Device.h"
#include "platform/ObjCClass.h"
#include "platform/PropertyList.h"

#include <dlfcn.h>

#include <filesystem>

namespace {

constexpr const char* kExecutableKey = "CFBundleExecutable";
constexpr const char* kPrincipalClassKey = "NSPrincipalClass";
constexpr const char* kRootPlistName = "Root";

std::string stringFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isString() ? found->second.asString() : std::string();
}

std::string inQuotes(const std::string& text) { return "\u201C" + text + "\u201D"; }

} // namespace

BundleLoader::Result BundleLoader::loadRootController(const SettingsEntry& entry) {
    std::string infoPath = entry.bundleDirectory() + "/Info.plist";
    auto info = PropertyList::readDictionary(infoPath);
    if (!info) return {nullptr, "The bundle has no readable Info.plist at " + infoPath + "."};
    if (std::string error = loadExecutable(entry, *info); !error.empty()) return standIn(entry, error);
    std::string className = stringFor(*info, kPrincipalClassKey);
    if (className.empty()) className = entry.detail;
    if (className.empty()) return {nullptr, "The bundle's Info.plist names no NSPrincipalClass."};
    return createPrincipal(className);
}

// An empty string when the library is loaded, else what went wrong.
std::string BundleLoader::loadExecutable(const SettingsEntry& entry, const ValueDictionary& info) {
    std::string name = stringFor(info, kExecutableKey);
    if (name.empty()) name = entry.bundle;
    if (name.find('/') != std::string::npos) return "The bundle's executable name " + inQuotes(name) + " is not a file name.";
    std::string devicePath = entry.bundleDirectory() + "/" + name;
    std::filesystem::path hostPath = Device::shared().hostPath(devicePath);
    std::error_code status;
    if (hostPath.empty() || !std::filesystem::is_regular_file(hostPath, status)) {
        return "The bundle's executable " + devicePath + " is missing.";
    }
    ClassRegistry::LoadingBundle loading(entry.bundleDirectory());
    if (!::dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* reason = ::dlerror();
        return "dlopen() could not load " + devicePath + ": " + (reason ? reason : "unknown error");
    }
    return {};
}

// A bundle whose code cannot load here (none, or built for the phone) is
// shown from its Root.plist, as its list controller would load it.
BundleLoader::Result BundleLoader::standIn(const SettingsEntry& entry, const std::string& error) {
    auto bundle = NSBundle::bundleWithPath(entry.bundleDirectory());
    if (bundle->pathForResource_ofType(kRootPlistName, "plist").empty()) return {nullptr, error};
    NSLog("Settings: the code of " + entry.bundleDirectory() + " cannot load here (" + error +
          "); it is stood in for by its " + kRootPlistName + ".plist");
    auto page = alloc<PSPlistListController>()->init();
    page->showPlistNamed(bundle, kRootPlistName);
    page->specifiers();
    if (!page->specifierLoadError().empty()) return {nullptr, page->specifierLoadError()};
    return {page, {}};
}

BundleLoader::Result BundleLoader::createPrincipal(const std::string& className) {
    const ObjCClass* principal = objc_getClass(className);
    if (!principal) return {nullptr, "The bundle registers no class named " + inQuotes(className) + "."};
    auto instance = principal->create("init");
    if (!instance) return {nullptr, inQuotes(className) + " could not be created with init."};
    auto controller = std::dynamic_pointer_cast<UIViewController>(instance);
    if (!controller) return {nullptr, inQuotes(className) + " is not a view controller."};
    // A page whose rows come from a property list in the bundle fails here when that list is malformed.
    if (auto listPage = std::dynamic_pointer_cast<PSListController>(controller)) {
        listPage->specifiers();
        if (!listPage->specifierLoadError().empty()) return {nullptr, listPage->specifierLoadError()};
    }
    return {controller, {}};
}
