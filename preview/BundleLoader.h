#pragma once

#include "platform/UIViewController.h"
#include "preview/SettingsEntry.h"

#include <memory>
#include <string>

// Loads a settings bundle as the phone's Settings app does: reads its
// Info.plist, dlopen()s the executable it names (the library registers its
// classes while it loads), and creates the principal class with "init".
// A bundle whose code cannot load here is shown from its Root.plist, and the
// log says its code was stood in for. Libraries stay loaded for the life of the process: their classes are in
// the registry.
class BundleLoader {
public:
    struct Result {
        std::shared_ptr<UIViewController> controller; // nullptr on failure
        std::string error;                            // what failed, for the error page
    };

    static Result loadRootController(const SettingsEntry& entry);

private:
    static std::string loadExecutable(const SettingsEntry& entry, const ValueDictionary& info);
    static Result standIn(const SettingsEntry& entry, const std::string& error);
    static Result createPrincipal(const std::string& className);
};
