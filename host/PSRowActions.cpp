#include "host/PSRowActions.h"

#include "host/PSItemKind.h"
#include "host/PSPlistListController.h"
#include "platform/NSLog.h"
#include "platform/NSURL.h"
#include "platform/UIAlertController.h"
#include "platform/UIApplication.h"
#include "platform/UINavigationController.h"

namespace {

std::string textOf(const PSSpecifier& specifier, const std::string& key) {
    Value value = specifier.propertyForKey(key);
    return value.isString() ? value.asString() : std::string();
}

std::string textIn(const ValueDictionary& dictionary, const std::string& key, const std::string& fallback) {
    auto found = dictionary.find(key);
    return found != dictionary.end() && found->second.isString() ? found->second.asString() : fallback;
}

std::string quoted(const std::string& text) { return "\u201C" + text + "\u201D"; }

// The bundle a link's `bundle` key names, among the installed preference bundles.
std::shared_ptr<NSBundle> namedBundle(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return nullptr;
    return NSBundle::bundleWithPath("/Library/PreferenceBundles/" + name + ".bundle");
}

} // namespace

bool PSRowActions::cameFromPropertyList(const PSSpecifier& row) { return !row.propertyForKey(PSCellKindKey).isNil(); }

void PSRowActions::pressButton(PSListController& page, const std::shared_ptr<PSSpecifier>& button) {
    Value confirmation = button->propertyForKey("confirmation");
    if (!confirmation.isDictionary()) {
        performButton(button);
        return;
    }
    const ValueDictionary& asked = *confirmation.asDictionary();
    auto alert = UIAlertController::alertControllerWithTitle_message_preferredStyle(
        textIn(asked, "title", button->name()), textIn(asked, "prompt", ""), UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle_style_handler(textIn(asked, "cancelTitle", "Cancel"),
                                                                  UIAlertActionStyle::Cancel, nullptr));
    std::weak_ptr<PSSpecifier> weakButton = button;
    alert->addAction(UIAlertAction::actionWithTitle_style_handler(
        textIn(asked, "okTitle", "OK"), UIAlertActionStyle::Default, [weakButton](const auto&) {
            if (auto pressed = weakButton.lock()) performButton(pressed);
        }));
    page.presentViewController_animated_completion(alert, /*animated=*/true, nullptr);
}

void PSRowActions::performButton(const std::shared_ptr<PSSpecifier>& button) {
    std::string url = urlOf(*button);
    if (!url.empty()) {
        auto address = NSURL::URLWithString(url);
        if (!address || !UIApplication::sharedApplication()->openURL(address)) {
            NSLog("Settings: no app on this phone opens " + url + ", which the button " + quoted(button->name()) + " opens");
        }
        return;
    }
    std::string action = textOf(*button, "action");
    NSLog("Settings: the button " + quoted(button->name()) + " would call -" + (action.empty() ? "(no action)" : action) +
          "; its code is not loaded");
}

// The address a button opens: its `url`, or the profile or package a library cell names.
std::string PSRowActions::urlOf(const PSSpecifier& button) {
    if (std::string url = textOf(button, "url"); !url.empty()) return url;
    if (std::string user = textOf(button, "user"); !user.empty()) return "https://twitter.com/" + user;
    if (std::string package = textOf(button, "packageIdentifier"); !package.empty()) return "cydia://package/" + package;
    return {};
}

void PSRowActions::openLink(PSListController& page, const std::shared_ptr<PSSpecifier>& link) {
    auto navigation = page.navigationController();
    if (!navigation) return;
    auto child = childPage(page, *link);
    child->setSpecifier(link);
    child->setParentController(page.self<PSViewController>());
    if (child->title().empty()) child->setTitle(link->name());
    navigation->pushViewController_animated(child, /*animated=*/true);
}

// What a page only code builds says: the class that builds it, else the
// other bundle the link names (the app lists, pickers and the like tweaks
// share), else the row's own cell class (colour pickers and the like).
std::string PSRowActions::messageForCodeOnlyPage(const PSSpecifier& link) {
    std::string className = textOf(link, "detail").empty() ? textOf(link, "pane") : textOf(link, "detail");
    if (!className.empty()) {
        return "This page is built by the class " + quoted(className) + " of the bundle, whose code is not loaded here.";
    }
    std::string bundleName = textOf(link, "bundle");
    if (!bundleName.empty()) return "This page is built by code of the bundle " + quoted(bundleName) + ", which is not loaded here.";
    std::string cellClass = textOf(link, "cellClass");
    if (!cellClass.empty()) {
        return "This page is opened by the cell class " + quoted(cellClass) + " of the bundle, whose code is not loaded here.";
    }
    return "This page is built by code of the bundle that is not loaded here.";
}

std::shared_ptr<PSListController> PSRowActions::childPage(PSListController& page, const PSSpecifier& link) {
    auto child = alloc<PSPlistListController>()->init();
    auto bundle = page.bundle();
    auto plistPage = dynamic_cast<PSPlistListController*>(&page);
    std::string table = plistPage ? plistPage->table() : std::string();
    if (Value items = link.propertyForKey("items"); items.isArray()) {
        child->showPage(bundle, table, ValueDictionary{{"title", Value(link.name())}, {"items", items}});
        return child;
    }
    if (auto other = namedBundle(textOf(link, "bundle")); other && !other->pathForResource_ofType("Root", "plist").empty()) {
        NSLog("Settings: the code of " + other->bundlePath() + " is stood in for by its Root.plist");
        child->showPlistNamed(other, "Root");
        return child;
    }
    // Real bundles name a child page by its controller class, or by the link's own label.
    for (const std::string& name : {textOf(link, "detail"), textOf(link, "pane"), link.name()}) {
        if (bundle && !name.empty() && !bundle->pathForResource_ofType(name, "plist").empty()) {
            child->showPlistNamed(bundle, name);
            return child;
        }
    }
    std::string message = messageForCodeOnlyPage(link);
    NSLog("Settings: the link " + quoted(link.name()) + " opens a page only code builds: " + message);
    child->showMessage(link.name(), message);
    return child;
}
