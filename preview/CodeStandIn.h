#pragma once

#include "platform/UIViewController.h"
#include "preview/SettingsEntry.h"

#include <memory>
#include <string>

// A tweak's preference bundle carries code built for the phone, which cannot
// run here. Its list controller would load its rows from `Root.plist`, and
// that file says everything the page shows, so the Settings app stands in
// for the code: the page is built from `Root.plist` and the log says so.
// A bundle without one whose code loads its only page under another name
// (`loadSpecifiersFromPlistName:@"Lamp"`) has that page stand in, its texts
// from the page's own table, else from Localizable.strings.
class CodeStandIn {
public:
    static constexpr const char* kRootPage = "Root.plist";

    // The page standing in for the bundle's code; nullptr when the code can
    // run on this machine or the bundle has neither a Root.plist nor one page.
    static std::shared_ptr<UIViewController> pageFor(const SettingsEntry& entry);

    // Why the bundle's executable cannot run here; empty when it can.
    static std::string whyCodeCannotRun(const SettingsEntry& entry);
};
