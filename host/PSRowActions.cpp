#include "host/PSRowActions.h"

#include "host/PSItemKind.h"
#include "host/PSPlistListController.h"
#include "platform/NSLog.h"
#include "platform/NSURL.h"
#include "platform/UIAlertController.h"
#include "platform/UIApplication.h"
#include "platform/UINavigationController.h"

#include <cctype>
#include <string_view>

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

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

// "SPFillColorsListController" -> "SPFillColors": what is left names the page.
std::string controllerStem(std::string className) {
    for (std::string_view suffix : {"ListController", "ViewController", "Controller"}) {
        if (className.size() > suffix.size() && className.ends_with(suffix)) {
            className.resize(className.size() - suffix.size());
            break;
        }
    }
    return className;
}

// The longest property list of the bundle whose name ends a controller's class name after
// the tweak's prefix ("HBFPBannersListController" -> Banners.plist), leaving out the page
// that links and the bundle's root page (a child is neither) and Info.plist.
std::string plistEndingClassName(const NSBundle& bundle, const std::string& className, const std::string& linkingPage) {
    std::string stem = controllerStem(className);
    std::string best;
    for (const std::string& name : bundle.resourceNamesOfType("plist")) {
        if (name == linkingPage || name == "Root" || name == "Info" || name.size() <= best.size() || name.size() > stem.size()) continue;
        if (std::isupper(static_cast<unsigned char>(name.front())) && stem.ends_with(name)) best = name;
    }
    return best;
}

// The property list of the bundle that holds a link's page, as real bundles name it: after
// the controller class (`detail`, `pane`), the label, the label without spaces, or the end of
// the class name; empty when none is there.
std::string childPlistName(const NSBundle& bundle, const PSSpecifier& link, const std::string& linkingPage) {
    std::string detail = textOf(link, "detail");
    std::string pane = textOf(link, "pane");
    for (const std::string& name : {detail, pane, link.name(), withoutSpaces(link.name())}) {
        if (!name.empty() && !bundle.pathForResource_ofType(name, "plist").empty()) return name;
    }
    // A link that names another bundle leads to that bundle's page, never to one of this bundle.
    if (!textOf(link, "bundle").empty()) return {};
    for (const std::string& className : {detail, pane}) {
        if (className.empty()) continue;
        if (std::string name = plistEndingClassName(bundle, className, linkingPage); !name.empty()) return name;
    }
    return {};
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
    if (std::string name = bundle ? childPlistName(*bundle, link, table) : std::string(); !name.empty()) {
        child->showPlistNamed(bundle, name);
        return child;
    }
    std::string message = codeOnlyMessage(link);
    NSLog("Settings: the link " + quoted(link.name()) + " opens a page only code builds: " + message);
    child->showMessage(link.name(), message);
    return child;
}

// What a page only code builds says about that code: the class that builds
// it, else the other bundle the link names (the app lists, activation methods
// and the like tweaks share), else the row's own cell class (colour pickers
// and the like), whose code opens it.
std::string PSRowActions::codeOnlyMessage(const PSSpecifier& link) {
    std::string className = textOf(link, "detail").empty() ? textOf(link, "pane") : textOf(link, "detail");
    std::string otherBundle = textOf(link, "bundle");
    std::string bundle = otherBundle.empty() ? "the bundle" : "the bundle " + quoted(otherBundle);
    if (!className.empty()) return "This page is built by the class " + quoted(className) + " of " + bundle + ", whose code is not loaded here.";
    if (!otherBundle.empty()) return "This page is built by " + bundle + ", whose code is not loaded here.";
    std::string cellClass = textOf(link, "cellClass");
    if (!cellClass.empty()) {
        return "This page is opened by the cell class " + quoted(cellClass) + " of the bundle, whose code is not loaded here.";
    }
    return "This page is built by code of the bundle that is not loaded here.";
}
