#pragma once

#include "host/PSListController.h"
#include "preview/InstalledApp.h"

#include <memory>
#include <string>
#include <vector>

// A page of an app's Settings.bundle: Root.plist for the app's row, the File
// a child pane names for the pages under it (`<name>~iphone.plist` before
// `<name>.plist`, as on an iPhone). The rows come from SettingsBundleSpecifiers;
// their values live in the app's defaults file,
// <data container>/Library/Preferences/<identifier>.plist, or in the app
// group's when the page names ApplicationGroupContainerIdentifier: read when a
// row is built, written whole and atomically with every other key kept.
//
// A page that cannot be read says why in `pageError`; a child pane shows the
// reason on its page and in the log.
class AppSettingsPage : public PSListController {
public:
    OBJC_CLASS_NAME(AppSettingsPage)

    std::shared_ptr<AppSettingsPage> init();
    // The app's root page, titled with the app's name.
    std::shared_ptr<AppSettingsPage> initWithApp(const InstalledApp& app);

    void setSpecifier(std::shared_ptr<PSSpecifier> specifier) override;
    std::shared_ptr<const SpecifierList> specifiers() override;
    const std::string& pageError() const { return _pageError; }
    // The device path of the file the values are written to.
    std::string defaultsFile() const;

    Value readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) override;
    void setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) override;

    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

private:
    // Where the page's file is and whose values it shows.
    struct Place {
        std::string settingsBundle; // device path
        std::string identifier;
        std::string container;      // the data (or group) container holding the defaults file
        std::string domain;         // the defaults file's name without ".plist"
        std::vector<std::string> openFiles; // this page's file and those of the pages below it
    };

    bool takePlaceFromParent();
    SpecifierList loadPage(const std::string& fileName);
    std::string pageFilePath(const std::string& fileName) const;
    void useGroupContainer(const ValueDictionary& page);
    SpecifierList errorRows(const std::string& message);
    Value storedValue(const PSSpecifier& specifier) const;

    Place _place;
    std::string _fileName = "Root";
    std::string _pageError;
};
