#pragma once

#include "platform/Value.h"

#include <memory>
#include <string>
#include <vector>

// The panel's three settings files and its image directory. Paths are built
// afresh at every access and nothing read is kept: the add-on reads the same
// files on its own, so the files are the only truth.
class VimbleFiles {
public:
    // Base names under ~/Library/Preferences, with the extension "plist".
    static constexpr const char* kSettingsFileName = "com.korvent.vimblepreferences";
    static constexpr const char* kFavoritesFileName = "com.korvent.vimble";
    static constexpr const char* kSkintoneFileName = "com.korvent.vimblest";

    // Where the installed bundle's pictures lie; the final "/" belongs to it.
    static constexpr const char* BundleResourcePath = "/Library/PreferenceBundles/Vimble.bundle/";

    static std::string settingsFilePath() { return preferencesFilePath(kSettingsFileName); }
    static std::string favoritesFilePath() { return preferencesFilePath(kFavoritesFileName); }
    static std::string skintoneFilePath() { return preferencesFilePath(kSkintoneFileName); }
    static std::string preferencesFilePath(const std::string& baseName);

    // The whole dictionary file, or nullptr when it is missing, unreadable
    // or holds something else (PSDefaultsStore).
    static std::shared_ptr<ValueDictionary> readDictionary(const std::string& path);
    // The keys set over whatever the file holds, every other key kept, the
    // file replaced atomically (PSDefaultsStore). The write's result is
    // handed back; the panel's callers ignore it.
    static bool setValuesForKeys(const std::string& path, const std::vector<std::pair<std::string, Value>>& values);

    // A picture's path: `format`'s first "%@" is the bundle directory, a
    // second one `name`.
    static std::string imagePath(const std::string& format, const std::string& name = "");
};
