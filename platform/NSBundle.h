#pragma once

#include "platform/NSObject.h"
#include "platform/ObjCClass.h"

#include "platform/Value.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

// A directory of code and resources on the device, as Foundation's NSBundle
// finds files in it. Paths are device paths.
class NSBundle : public NSObject {
public:
    OBJC_CLASS_NAME(NSBundle)

    static std::shared_ptr<NSBundle> bundleWithPath(const std::string& path);
    // The bundle whose executable registered the class; nullptr for a class
    // the app holds itself.
    static std::shared_ptr<NSBundle> bundleForClass(const ObjCClass* objcClass);

    const std::string& bundlePath() const { return _bundlePath; }
    // "<bundle>/<name>.<type>" when that file exists, else empty.
    std::string pathForResource_ofType(const std::string& name, const std::string& type) const;
    // The same in a folder of the bundle ("icons", "art/small"); a folder that
    // would leave the bundle ("..", an absolute path) holds nothing.
    std::string pathForResource_ofType_inDirectory(const std::string& name, const std::string& type,
                                                   const std::string& directory) const;

    // The names without extension of the files "<bundle>/*.<type>", sorted;
    // the top folder only, as pathsForResourcesOfType:inDirectory: with none.
    std::vector<std::string> resourceNamesOfType(const std::string& type) const;

    // Info.plist in any property-list form; nullptr when there is none.
    std::shared_ptr<ValueDictionary> infoDictionary() const;

    // The names of the bundle's *.lproj folders, sorted ("Base", "en", "fr").
    std::vector<std::string> localizations() const;
    // CFBundleDevelopmentRegion of Info.plist, else "en".
    std::string developmentLocalization() const;
    // The localizations that serve the device's preferred languages, in the
    // order texts are looked up (see Localizations).
    std::vector<std::string> preferredLocalizations() const;

    // Apple's lookup: `key` in <localization>.lproj/<table>.strings for each
    // preferred localization, then in <table>.strings beside Info.plist. An
    // empty table is "Localizable". A key found nowhere gives `value` if it
    // is not empty, else the key itself.
    std::string localizedStringForKey_value_table(const std::string& key, const std::string& value,
                                                  const std::string& table) const;

private:
    std::string _bundlePath;
    // The lookup order, kept while the device's languages and the bundle's
    // folder stay as they were (adding a .lproj folder changes the folder's
    // time; a time of the last seconds is not trusted).
    mutable std::vector<std::string> _lookupOrder;
    mutable std::vector<std::string> _lookupOrderLanguages;
    mutable timespec _lookupOrderFolderTime{};
};
