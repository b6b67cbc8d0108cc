#include "configure/VimbleConfigureController.h"

#include "shell/VimbleFiles.h"

namespace {

const auto registration = ClassRegistration<VimbleConfigureController, PSListController>()
                              .initializer<&VimbleConfigureController::init>("init");

constexpr const char* kSelectPageClassName = "VimbleSelectController";
constexpr const char* kSwitchCellClassName = "VimbleSwitch";
// The footer names its class as text; the host looks it up itself.
constexpr const char* kPickerCellClassName = "VimbleSkintoneCell";

std::shared_ptr<PSSpecifier> groupWithFooterClass(const std::string& name, const char* className) {
    auto group = PSSpecifier::groupSpecifierWithName(name);
    group->setProperty_forKey(Value(className), PSFooterCellClassGroupKey);
    return group;
}

} // namespace

std::shared_ptr<const SpecifierList> VimbleConfigureController::specifiers() {
    if (_specifiers) return _specifiers;
    SpecifierList rows;
    rows.push_back(PSSpecifier::groupSpecifierWithName("Configure"));
    rows.push_back(makeSelectEmojiRow());
    rows.push_back(PSSpecifier::groupSpecifierWithName("Emoji Handling"));
    rows.push_back(makeSkintoneSwitchRow());
    rows.push_back(groupWithFooterClass("Skin Tones", kPickerCellClassName));
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

// The page class is looked up now, while the list is built: a bundle that
// lacks it gives a row that opens nothing.
std::shared_ptr<PSSpecifier> VimbleConfigureController::makeSelectEmojiRow() {
    return PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "Select Emoji", self<NSObject>(), Selector(), Selector(), objc_getClass(kSelectPageClassName), PSCellType::Link,
        nullptr);
}

std::shared_ptr<PSSpecifier> VimbleConfigureController::makeSkintoneSwitchRow() {
    auto row = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "Set Default Skin Tone", self<NSObject>(),
        Selector::of<&VimbleConfigureController::setPreferenceValue_specifier>("setPreferenceValue:specifier:"),
        Selector::of<&VimbleConfigureController::readPreferenceValue>("readPreferenceValue:"), nullptr,
        PSCellType::Switch, nullptr);
    row->setProperty_forKey(Value(kSkintoneKey), PSKeyNameKey);
    row->setProperty_forKey(Value(kSkintoneChangedNotification), PSValueChangedNotificationKey);
    row->setProperty_forKey(Value(false), PSDefaultValueKey);
    row->setProperty_forKey(Value(NSClassFromString(kSwitchCellClassName)), PSCellClassKey);
    return row;
}

Value VimbleConfigureController::readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) {
    auto settings = VimbleFiles::readDictionary(VimbleFiles::settingsFilePath());
    if (settings) {
        if (auto stored = settings->find(kSkintoneKey); stored != settings->end()) return stored->second;
    }
    return specifier->propertyForKey(PSDefaultValueKey);
}

// Only the file changes: no row comes or goes, and the host, not the page,
// posts the row's change notification.
void VimbleConfigureController::setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>&) {
    VimbleFiles::setValuesForKeys(VimbleFiles::settingsFilePath(), {{kSkintoneKey, value}});
}

