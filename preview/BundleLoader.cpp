#include "preview/BundleLoader.h"

#include "host/PSListController.h"
#include "platform/Device.h"
#include "platform/ObjCClass.h"
#include "platform/PropertyList.h"

#include <dlfcn.h>

#include <filesystem>

namespace {

constexpr const char* kExecutableKey = "CFBundleExecutable";
constexpr const char* kPrincipalClassKey = "NSPrincipalClass";

std::string stringFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isString() ? found->second.asString() : std::string();
}

std::string inQuotes(const std::string& text) { return "\u201C" + text + "\u201D"; }

} // namespace

BundleLoader::Loaded BundleLoader::loadRootController(const SettingsEntry& entry) {
    std::string infoPath = entry.bundleDirectory() + "/Info.plist";
    auto info = PropertyList::readDictionary(infoPath);
    if (!info) return Loaded::failure("The bundle has no readable Info.plist at " + infoPath + ".");
    if (auto loaded = loadExecutable(entry, *info); !loaded) return Loaded::failure(loaded.error());
    std::string className = stringFor(*info, kPrincipalClassKey);
    if (className.empty()) className = entry.detail;
    if (className.empty()) return Loaded::failure("The bundle's Info.plist names no NSPrincipalClass.");
    return createPrincipal(className);
}

Result<> BundleLoader::loadExecutable(const SettingsEntry& entry, const ValueDictionary& info) {
    std::string name = stringFor(info, kExecutableKey);
    if (name.empty()) name = entry.bundle;
    if (name.find('/') != std::string::npos) {
        return Result<>::failure("The bundle's executable name " + inQuotes(name) + " is not a file name.");
    }
    std::string devicePath = entry.bundleDirectory() + "/" + name;
    std::filesystem::path hostPath = Device::shared().hostPath(devicePath);
    std::error_code status;
    if (hostPath.empty() || !std::filesystem::is_regular_file(hostPath, status)) {
        return Result<>::failure("The bundle's executable " + devicePath + " is missing.");
    }
    ClassRegistry::LoadingBundle loading(entry.bundleDirectory());
    if (!::dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* reason = ::dlerror();
        return Result<>::failure("dlopen() could not load " + devicePath + ": " + (reason ? reason : "unknown error"));
    }
    return Result<>::success();
}

BundleLoader::Loaded BundleLoader::createPrincipal(const std::string& className) {
    const ObjCClass* principal = objc_getClass(className);
    if (!principal) return Loaded::failure("The bundle registers no class named " + inQuotes(className) + ".");
    auto instance = principal->create("init");
    if (!instance) return Loaded::failure(inQuotes(className) + " could not be created with init.");
    auto controller = std::dynamic_pointer_cast<UIViewController>(instance);
    if (!controller) return Loaded::failure(inQuotes(className) + " is not a view controller.");
    // A page whose rows come from a property list in the bundle fails here when that list is malformed.
    if (auto listPage = std::dynamic_pointer_cast<PSListController>(controller)) {
        listPage->specifiers();
        if (!listPage->specifierLoadError().empty()) return Loaded::failure(listPage->specifierLoadError());
    }
    return Loaded::success(controller);
}
