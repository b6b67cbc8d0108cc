#include "preview/SettingsBundleSpecifiers.h"

#include "platform/Device.h"
#include "platform/NSLog.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

constexpr const char* kPhoneIdiom = "Phone";
constexpr const char* kChooserClassName = "PSListItemsController";

// The Preferences keys a text field and a slider read.
const std::string kIsSecureKey = "isSecure";
const std::string kKeyboardKey = "keyboard";
const std::string kAutoCapsKey = "autoCaps";
const std::string kNoAutoCorrectKey = "noAutoCorrect";
const std::string kLeftImageKey = "leftImage";
const std::string kRightImageKey = "rightImage";
// The schema's AutocapitalizationType as Preferences names it.
const std::map<std::string, std::string> kAutoCaps = {
    {"None", "none"}, {"Words", "words"}, {"Sentences", "sentences"}, {"AllCharacters", "all"}};

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

// The keyboard keeps the schema's names (Alphabet, NumberPad, ...), which the host's text field reads as well.
void SettingsBundleSpecifiers::appendTextField(const ValueDictionary& element) {
    auto field = row(localized(valueFor(element, "Title")), PSCellType::EditText);
    copyValueKeys(element, *field);
    field->setProperty_forKey(Value(valueFor(element, "IsSecure").boolValue()), kIsSecureKey);
    field->setProperty_forKey(valueFor(element, "KeyboardType"), kKeyboardKey);
    auto caps = kAutoCaps.find(textFor(element, "AutocapitalizationType"));
    if (caps != kAutoCaps.end()) field->setProperty_forKey(Value(caps->second), kAutoCapsKey);
    if (textFor(element, "AutocorrectionType") == "No") field->setProperty_forKey(Value(true), kNoAutoCorrectKey);
    _rows.push_back(field);
}

// The slider's pictures travel as the row's leftImage and rightImage; the slider cell does not draw them yet.
void SettingsBundleSpecifiers::appendSlider(const ValueDictionary& element) {
    auto slider = row(localized(valueFor(element, "Title")), PSCellType::Slider);
    copyValueKeys(element, *slider);
    slider->setProperty_forKey(valueFor(element, "MinimumValue"), PSControlMinimumKey);
    slider->setProperty_forKey(valueFor(element, "MaximumValue"), PSControlMaximumKey);
    for (const auto& [schemaKey, hostKey] : {std::pair{"MinimumValueImage", kLeftImageKey},
                                             std::pair{"MaximumValueImage", kRightImageKey}}) {
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
