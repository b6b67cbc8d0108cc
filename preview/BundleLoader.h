#pragma once

#include "platform/Result.h"
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
    // The bundle's root page, or what failed, for the error page.
    using Loaded = Result<std::shared_ptr<UIViewController>>;

    static Loaded loadRootController(const SettingsEntry& entry);

private:
    static Result<> loadExecutable(const SettingsEntry& entry, const ValueDictionary& info);
    static Loaded createPrincipal(const std::string& className);
};
