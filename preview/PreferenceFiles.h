#pragma once

#include "platform/Value.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The settings files on the device, as the side panel and /api/files show
// them. A bundle names the files it writes in its Info.plist under
// `PreferenceFiles` (an array of device paths), so they are listed, as null,
// before they exist; any other property list in the user's preferences
// directory follows, then each installed app's defaults file in its data
// container (listed before it exists too) and any other property list in the
// apps' data and group containers' Library/Preferences.
class PreferenceFiles {
public:
    static constexpr const char* kPreferencesDirectory = "/var/mobile/Library/Preferences";

    static std::vector<std::string> paths();
    // [{"path": device path, "contents": the file as JSON or null}], in `paths()` order.
    static nlohmann::json snapshot();
    // Deletes every file in the preferences directory and the apps' defaults
    // files: the device's settings as new, the apps still installed.
    static void removeAll();

    // A property-list value as JSON: dates as ISO 8601 text, data as {"data": base64}.
    static nlohmann::json toJson(const Value& value);
};
