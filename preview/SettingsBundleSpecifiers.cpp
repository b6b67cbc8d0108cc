#include "preview/SettingsBundleSpecifiers.h"

#include "platform/Device.h"
#include "platform/NSLog.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

constexpr const char* kPhoneIdiom = "Phone";
constexpr const char* kChooserClassName = "PSListItemsController";

// What the text field takes from the schema, as UIKit's UITextInputTraits numbers them.
const std::map<std::string, int> kKeyboardTypes = {
    {"Alphabet", 1}, {"NumbersAndPunctuation", 2}, {"URL", 3}, {"NumberPad", 4}, {"EmailAddress", 7}};
const std::map<std::string, int> kAutocapitalizationTypes = {
    {"None", 0}, {"Words", 1}, {"Sentences", 2}, {"AllCharacters", 3}};
const std::map<std::string, int> kAutocorrectionTypes = {{"Default", 0}, {"No", 1}, {"Yes", 2}};

Value valueFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? Value() : found->second;
}

std::string textFor(const ValueDictionary& dictionary, const std::string& key) {
    Value value = valueFor(dictionary, key);
    return value.isString() ? value.asString() : std::string();
}

// An element limited to idioms the phone is not is left out; a malformed list limits nothing.
bool showsOnPhone(const ValueDictionary& element) {
    Value idioms = valueFor(element, "SupportedUserInterfaceIdioms");
    if (!idioms.isArray()) return true;
    const ValueArray& list = *idioms.asArray();
    return std::any_of(list.begin(), list.end(), [](const Value& idiom) { return idiom == Value(kPhoneIdiom); });
}

void setNumberFor(PSSpecifier& row, const ValueDictionary& element, const std::string& schemaKey,
                  const std::map<std::string, int>& numbers, const std::string& hostKey) {
    auto found = numbers.find(textFor(element, schemaKey));
    if (found != numbers.end()) row.setProperty_forKey(Value(found->second), hostKey);
}

struct Choice {
    std::string title;
    Value shortTitle;
    Value value;
};

} // namespace

SpecifierList SettingsBundleSpecifiers::read(const ValueArray& elements, const Context& context) {
    SettingsBundleSpecifiers reader(context);
    for (const Value& element : elements) {
        if (!element.isDictionary()) {
            NSLog("Settings: an element of PreferenceSpecifiers is not a dictionary; it is left out");
            continue;
        }
        if (showsOnPhone(*element.asDictionary())) reader.append(*element.asDictionary());
    }
    return std::move(reader._rows);
}

void SettingsBundleSpecifiers::append(const ValueDictionary& element) {
    using Appender = void (SettingsBundleSpecifiers::*)(const ValueDictionary&);
    static const std::map<std::string, Appender> kAppenders = {
        {"PSGroupSpecifier", &SettingsBundleSpecifiers::appendGroup},
        {"PSToggleSwitchSpecifier", &SettingsBundleSpecifiers::appendSwitch},
        {"PSMultiValueSpecifier", &SettingsBundleSpecifiers::appendMultiValue},
        {"PSRadioGroupSpecifier", &SettingsBundleSpecifiers::appendRadioGroup},
        {"PSTitleValueSpecifier", &SettingsBundleSpecifiers::appendTitleValue},
        {"PSTextFieldSpecifier", &SettingsBundleSpecifiers::appendTextField},
        {"PSSliderSpecifier", &SettingsBundleSpecifiers::appendSlider},
        {"PSChildPaneSpecifier", &SettingsBundleSpecifiers::appendChildPane},
    };
    std::string type = textFor(element, "Type");
    auto appender = kAppenders.find(type);
    if (appender == kAppenders.end()) return appendUnknown(element, type);
    (this->*appender->second)(element);
}

std::shared_ptr<PSSpecifier> SettingsBundleSpecifiers::row(const std::string& title, PSCellType type,
                                                           const ObjCClass* detail) const {
    if (type == PSCellType::Group) return PSSpecifier::groupSpecifierWithName(title);
    return PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(title, _context.target, Selector(),
                                                                                 Selector(), detail, type, nullptr);
}

std::string SettingsBundleSpecifiers::localized(const Value& text) const {
    if (!text.isString()) return {};
    if (!_context.settingsBundle) return text.asString();
    return _context.settingsBundle->localizedStringForKey_value_table(text.asString(), "", _context.stringsTable);
}

Value SettingsBundleSpecifiers::localizedList(const Value& list) const {
    if (!list.isArray()) return {};
    auto texts = std::make_shared<ValueArray>();
    for (const Value& text : *list.asArray()) texts->push_back(text.isString() ? Value(localized(text)) : text);
    return Value(texts);
}

void SettingsBundleSpecifiers::copyValueKeys(const ValueDictionary& element, PSSpecifier& row) const {
    row.setProperty_forKey(valueFor(element, "Key"), PSKeyNameKey);
    row.setProperty_forKey(valueFor(element, "DefaultValue"), PSDefaultValueKey);
}

// Titles and Values (and ShortTitles) as the host's lists, ordered by title when the element asks.
void SettingsBundleSpecifiers::copyChoices(const ValueDictionary& element, PSSpecifier& row) const {
    Value titles = localizedList(valueFor(element, "Titles"));
    Value shortTitles = localizedList(valueFor(element, "ShortTitles"));
    Value values = valueFor(element, "Values");
    if (!titles.isArray() || !values.isArray()) return;
    std::vector<Choice> choices;
    const ValueArray& titleList = *titles.asArray();
    for (std::size_t index = 0; index < titleList.size() && index < values.asArray()->size(); ++index) {
        Value shortTitle = shortTitles.isArray() && index < shortTitles.asArray()->size() ? (*shortTitles.asArray())[index]
                                                                                            : Value();
        choices.push_back({titleList[index].isString() ? titleList[index].asString() : std::string(), shortTitle,
                           (*values.asArray())[index]});
    }
    if (valueFor(element, "DisplaySortedByTitle").boolValue()) {
        std::stable_sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) { return a.title < b.title; });
    }
    auto sortedTitles = std::make_shared<ValueArray>();
    auto sortedShortTitles = std::make_shared<ValueArray>();
    auto sortedValues = std::make_shared<ValueArray>();
    for (const auto& choice : choices) {
        sortedTitles->push_back(Value(choice.title));
        sortedShortTitles->push_back(choice.shortTitle);
        sortedValues->push_back(choice.value);
    }
    row.setProperty_forKey(Value(sortedTitles), PSValidTitlesKey);
    row.setProperty_forKey(Value(sortedValues), PSValidValuesKey);
    if (shortTitles.isArray()) row.setProperty_forKey(Value(sortedShortTitles), PSShortTitlesKey);
}

void SettingsBundleSpecifiers::appendGroup(const ValueDictionary& element) {
    auto group = row(localized(valueFor(element, "Title")), PSCellType::Group);
    if (Value footer = valueFor(element, "FooterText"); footer.isString()) {
        group->setProperty_forKey(Value(localized(footer)), PSFooterTextGroupKey);
    }
    _rows.push_back(group);
}

void SettingsBundleSpecifiers::appendSwitch(const ValueDictionary& element) {
    auto toggle = row(localized(valueFor(element, "Title")), PSCellType::Switch);
    copyValueKeys(element, *toggle);
    toggle->setProperty_forKey(valueFor(element, kTrueValueKey), kTrueValueKey);
    toggle->setProperty_forKey(valueFor(element, kFalseValueKey), kFalseValueKey);
    _rows.push_back(toggle);
}

void SettingsBundleSpecifiers::appendMultiValue(const ValueDictionary& element) {
    auto list = row(localized(valueFor(element, "Title")), PSCellType::LinkList, objc_getClass(kChooserClassName));
    copyValueKeys(element, *list);
    copyChoices(element, *list);
    _rows.push_back(list);
}

// A group whose rows are its choices, the chosen one ticked.
void SettingsBundleSpecifiers::appendRadioGroup(const ValueDictionary& element) {
    appendGroup(element);
    auto choices = alloc<PSSpecifier>();
    copyChoices(element, *choices);
    Value titles = choices->propertyForKey(PSValidTitlesKey);
    Value values = choices->propertyForKey(PSValidValuesKey);
    if (!titles.isArray()) return;
    for (std::size_t index = 0; index < titles.asArray()->size(); ++index) {
        auto choice = row((*titles.asArray())[index].asString(), PSCellType::ListItem);
        copyValueKeys(element, *choice);
        choice->setProperty_forKey((*values.asArray())[index], kChoiceValueKey);
        _rows.push_back(choice);
    }
}

void SettingsBundleSpecifiers::appendTitleValue(const ValueDictionary& element) {
    auto shown = row(localized(valueFor(element, "Title")), PSCellType::TitleValue);
    copyValueKeys(element, *shown);
    copyChoices(element, *shown);
    _rows.push_back(shown);
}

// TODO(rows): the text field cell applies isSecure and the input traits once that branch lands.
void SettingsBundleSpecifiers::appendTextField(const ValueDictionary& element) {
    auto field = row(localized(valueFor(element, "Title")), PSCellType::EditText);
    copyValueKeys(element, *field);
    field->setProperty_forKey(Value(valueFor(element, "IsSecure").boolValue()), PSIsSecureKey);
    setNumberFor(*field, element, "KeyboardType", kKeyboardTypes, PSKeyboardTypeKey);
    setNumberFor(*field, element, "AutocapitalizationType", kAutocapitalizationTypes, PSAutocapitalizationTypeKey);
    setNumberFor(*field, element, "AutocorrectionType", kAutocorrectionTypes, PSAutocorrectionTypeKey);
    _rows.push_back(field);
}

// TODO(rows): the slider cell draws leftImage and rightImage once that branch lands.
void SettingsBundleSpecifiers::appendSlider(const ValueDictionary& element) {
    auto slider = row(localized(valueFor(element, "Title")), PSCellType::Slider);
    copyValueKeys(element, *slider);
    slider->setProperty_forKey(valueFor(element, "MinimumValue"), PSControlMinimumKey);
    slider->setProperty_forKey(valueFor(element, "MaximumValue"), PSControlMaximumKey);
    for (const auto& [schemaKey, hostKey] : {std::pair{"MinimumValueImage", PSSliderLeftImageKey},
                                             std::pair{"MaximumValueImage", PSSliderRightImageKey}}) {
        std::string name = textFor(element, schemaKey);
        if (name.empty() || name.find('/') != std::string::npos || !_context.settingsBundle) continue;
        slider->setProperty_forKey(Value(_context.settingsBundle->bundlePath() + "/" + name), hostKey);
    }
    _rows.push_back(slider);
}

void SettingsBundleSpecifiers::appendChildPane(const ValueDictionary& element) {
    auto link = row(localized(valueFor(element, "Title")), PSCellType::Link, _context.childPaneClass);
    link->setProperty_forKey(valueFor(element, kChildPaneFileKey), kChildPaneFileKey);
    _rows.push_back(link);
}

void SettingsBundleSpecifiers::appendUnknown(const ValueDictionary& element, const std::string& type) {
    std::string title = localized(valueFor(element, "Title"));
    NSLog("Settings: the element type \u201C" + type + "\u201D of \u201C" + title +
          "\u201D is not in the Settings bundle schema; it is shown as a plain row");
    _rows.push_back(row(title, PSCellType::StaticText));
}
