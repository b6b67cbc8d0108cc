#pragma once

#include <string>
#include <vector>

// What the installed bundles declare in their Info.plist, so the Settings app
// needs to know no bundle by name: each key names an array of strings.
// `PreferenceFiles`: the settings files a bundle writes (device paths);
// `LSApplicationQueriesSchemes`: the URL schemes of other apps a bundle asks
// `canOpenURL:` about, which the app offers to install.
class BundleDeclarations {
public:
    static constexpr const char* kPreferenceFilesKey = "PreferenceFiles";
    static constexpr const char* kQueriedSchemesKey = "LSApplicationQueriesSchemes";

    // The strings every installed bundle lists under `key`, in the Settings
    // list's order and then each bundle's, each once; other values are skipped.
    static std::vector<std::string> strings(const char* key);
};
