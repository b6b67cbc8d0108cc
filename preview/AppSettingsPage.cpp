#include "preview/AppSettingsPage.h"

#include "host/PSDefaultsStore.h"
#include "platform/Device.h"
#include "platform/NSLog.h"
#include "platform/PropertyList.h"
#include "preview/AppContainers.h"
#include "preview/SettingsBundleSpecifiers.h"

#include <algorithm>
#include <filesystem>

namespace {

const auto registration =
    ClassRegistration<AppSettingsPage, PSListController>().initializer<&AppSettingsPage::init>("init");

constexpr const char* kRootFile = "Root";
constexpr const char* kPhoneSuffix = "~iphone";

Value valueFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? Value() : found->second;
}

bool isRadioChoice(const PSSpecifier& specifier) {
    return specifier.cellType() == PSCellType::ListItem &&
           !specifier.propertyForKey(SettingsBundleSpecifiers::kChoiceValueKey).isNil();
}

std::string inQuotes(const std::string& text) { return "\u201C" + text + "\u201D"; }

} // namespace

std::shared_ptr<AppSettingsPage> AppSettingsPage::init() {
    PSListController::init();
    return self<AppSettingsPage>();
}

std::shared_ptr<AppSettingsPage> AppSettingsPage::initWithApp(const InstalledApp& app) {
    init();
    setTitle(app.name);
    _place.settingsBundle = app.settingsBundleDirectory();
    _place.identifier = app.identifier;
    _place.container = AppContainers::dataContainerFor(app.identifier);
    _place.domain = app.identifier;
    return self<AppSettingsPage>();
}

void AppSettingsPage::setSpecifier(std::shared_ptr<PSSpecifier> specifier) {
    if (specifier) setTitle(specifier->name());
    PSListController::setSpecifier(std::move(specifier));
}

// A child pane learns its app from the page that opened it.
bool AppSettingsPage::takePlaceFromParent() {
    auto parent = std::dynamic_pointer_cast<AppSettingsPage>(parentController());
    Value file = specifier() ? specifier()->propertyForKey(SettingsBundleSpecifiers::kChildPaneFileKey) : Value();
    if (!parent || !file.isString()) return false;
    _place = parent->_place;
    _fileName = file.asString();
    return true;
}

std::shared_ptr<const SpecifierList> AppSettingsPage::specifiers() {
    if (_specifiers) return _specifiers;
    if (_place.settingsBundle.empty() && !takePlaceFromParent()) {
        _specifiers = std::make_shared<const SpecifierList>(errorRows("This pane names no File to show."));
        return _specifiers;
    }
    _specifiers = std::make_shared<const SpecifierList>(loadPage(_fileName));
    return _specifiers;
}

// <name>~iphone.plist when the bundle has it, else <name>.plist; empty for a name that leaves the bundle.
std::string AppSettingsPage::pageFilePath(const std::string& fileName) const {
    if (fileName.empty() || fileName.find('/') != std::string::npos || fileName.starts_with(".")) return {};
    std::string phoneFile = _place.settingsBundle + "/" + fileName + kPhoneSuffix + ".plist";
    std::error_code status;
    if (std::filesystem::is_regular_file(Device::shared().hostPath(phoneFile), status)) return phoneFile;
    return _place.settingsBundle + "/" + fileName + ".plist";
}

SpecifierList AppSettingsPage::loadPage(const std::string& fileName) {
    std::string path = pageFilePath(fileName);
    if (path.empty()) return errorRows("The pane's File " + inQuotes(fileName) + " is not a file name.");
    if (std::find(_place.openFiles.begin(), _place.openFiles.end(), path) != _place.openFiles.end()) {
        return errorRows("The pane " + inQuotes(fileName) + " names " + path + ", which is already open below it.");
    }
    auto page = PropertyList::readDictionary(path);
    if (!page) return errorRows("There is no readable page at " + path + ".");
    Value elements = valueFor(*page, "PreferenceSpecifiers");
    if (!elements.isArray()) return errorRows(path + " has no PreferenceSpecifiers list: it is no Settings page.");
    _place.openFiles.push_back(path);
    useGroupContainer(*page);
    Value table = valueFor(*page, "StringsTable");
    SettingsBundleSpecifiers::Context context{NSBundle::bundleWithPath(_place.settingsBundle),
                                              table.isString() && !table.asString().empty() ? table.asString() : kRootFile,
                                              self<NSObject>(), objc_getClass(className())};
    return SettingsBundleSpecifiers::read(*elements.asArray(), context);
}

void AppSettingsPage::useGroupContainer(const ValueDictionary& page) {
    Value group = valueFor(page, "ApplicationGroupContainerIdentifier");
    if (!group.isString() || group.asString().empty() || group.asString().find('/') != std::string::npos) return;
    _place.identifier = group.asString();
    _place.container = AppContainers::groupContainerFor(group.asString());
    _place.domain = group.asString();
}

// One group whose note says what is wrong, so a pane that cannot be read still opens.
SpecifierList AppSettingsPage::errorRows(const std::string& message) {
    _pageError = message;
    NSLog("Settings: " + message);
    auto group = PSSpecifier::groupSpecifierWithName("This page could not be read");
    group->setProperty_forKey(Value(message), PSFooterTextGroupKey);
    return {group};
}

std::string AppSettingsPage::defaultsFile() const {
    return _place.container.empty() ? std::string() : AppContainers::defaultsFileIn(_place.container, _place.domain);
}

Value AppSettingsPage::storedValue(const PSSpecifier& specifier) const {
    Value key = specifier.propertyForKey(PSKeyNameKey);
    return key.isString() ? PSDefaultsStore(defaultsFile()).valueForKey(key.asString()) : Value();
}

// A value the file does not hold shows the row's DefaultValue; a switch is on
// when the value is its TrueValue (or, without one, a true value).
Value AppSettingsPage::readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) {
    Value value = storedValue(*specifier);
    if (value.isNil()) value = specifier->propertyForKey(PSDefaultValueKey);
    if (specifier->cellType() != PSCellType::Switch) return value;
    Value onValue = specifier->propertyForKey(SettingsBundleSpecifiers::kTrueValueKey);
    return Value(onValue.isNil() ? value.boolValue() : value == onValue);
}

void AppSettingsPage::setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) {
    Value key = specifier->propertyForKey(PSKeyNameKey);
    if (!key.isString() || defaultsFile().empty()) return;
    Value stored = value;
    if (specifier->cellType() == PSCellType::Switch) {
        Value given = specifier->propertyForKey(value.boolValue() ? SettingsBundleSpecifiers::kTrueValueKey
                                                                  : SettingsBundleSpecifiers::kFalseValueKey);
        stored = given.isNil() ? Value(value.boolValue()) : given;
    }
    if (!AppContainers::prepareContainer(_place.container, _place.identifier)) {
        NSLog("Settings: the container " + _place.container + " leads out of the device; nothing is written");
        return;
    }
    PSDefaultsStore(defaultsFile()).setValueForKey(stored, key.asString());
}

std::shared_ptr<UITableViewCell> AppSettingsPage::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = PSListController::tableView_cellForRowAtIndexPath(tableView, indexPath);
    auto row = specifierAtIndexPath(indexPath);
    if (!cell || !row || !isRadioChoice(*row)) return cell;
    bool chosen = readPreferenceValue(row) == row->propertyForKey(SettingsBundleSpecifiers::kChoiceValueKey);
    cell->setAccessoryType(chosen ? UITableViewCellAccessoryType::Checkmark : UITableViewCellAccessoryType::None);
    return cell;
}

// A tap on a radio group's choice stores it and moves the tick.
void AppSettingsPage::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                        const std::shared_ptr<NSIndexPath>& indexPath) {
    auto row = specifierAtIndexPath(indexPath);
    if (!row || !isRadioChoice(*row)) return PSListController::tableView_didSelectRowAtIndexPath(tableView, indexPath);
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    valueChanged_forSpecifier(row->propertyForKey(SettingsBundleSpecifiers::kChoiceValueKey), row);
    tableView->reloadData();
}
