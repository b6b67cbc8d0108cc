#pragma once

#include "host/PSSpecifier.h"

#include <memory>

class PSListController;

// What a button or a link of a page written as a property list does when its
// code is not loaded here. A button opens its `url` (or the profile or
// package its library cell names), first asking its `confirmation` in an
// alert; a button with neither logs the action it would call. A link opens
// its own `items`, else the bundle's property list its `detail`, `pane`,
// `bundle` or label names, else a page that names the class whose code would
// build it: never a dead end. Child pages are made when tapped, so a page
// that links back to its parent loops no further than a person taps.
class PSRowActions {
public:
    // Rows read from a property list name their kind; rows made in code do not.
    static bool cameFromPropertyList(const PSSpecifier& row);
    static void pressButton(PSListController& page, const std::shared_ptr<PSSpecifier>& button);
    static void openLink(PSListController& page, const std::shared_ptr<PSSpecifier>& link);

private:
    static void performButton(const std::shared_ptr<PSSpecifier>& button);
    static std::string urlOf(const PSSpecifier& button);
    static std::shared_ptr<PSListController> childPage(PSListController& page, const PSSpecifier& link);
    static std::string messageForCodeOnlyPage(const PSSpecifier& link);
};
