#include "host/PSEditableTableCell.h"

#include "platform/ObjCClass.h"

#include <map>

namespace {
const auto registration = ClassRegistration<PSEditableTableCell, PSControlTableCell>()
                              .initializer<&PSEditableTableCell::initWithStyle_reuseIdentifier_specifier>(
                                  "initWithStyle:reuseIdentifier:specifier:");
constexpr CGFloat kFieldHeight = 30;

bool flag(const PSSpecifier& specifier, const std::string& key) { return specifier.propertyForKey(key).boolValue(); }

// The keyboard a field asks for: the `is...` keys of Preferences, then
// `keyboard` by its Preferences and Settings-bundle names.
UIKeyboardType keyboardFor(const PSSpecifier& specifier) {
    if (flag(specifier, "isNumeric")) return UIKeyboardType::NumberPad;
    if (flag(specifier, "isDecimalPad")) return UIKeyboardType::DecimalPad;
    if (flag(specifier, "isEmail")) return UIKeyboardType::EmailAddress;
    if (flag(specifier, "isURL")) return UIKeyboardType::URL;
    static const std::map<std::string, UIKeyboardType> kNames = {
        {"numbers", UIKeyboardType::NumberPad},       {"NumberPad", UIKeyboardType::NumberPad},
        {"phone", UIKeyboardType::PhonePad},          {"decimal", UIKeyboardType::DecimalPad},
        {"NumbersAndPunctuation", UIKeyboardType::NumbersAndPunctuation},
        {"URL", UIKeyboardType::URL},                 {"EmailAddress", UIKeyboardType::EmailAddress},
        {"Alphabet", UIKeyboardType::Default},
    };
    Value named = specifier.propertyForKey("keyboard");
    auto found = named.isString() ? kNames.find(named.asString()) : kNames.end();
    return found == kNames.end() ? UIKeyboardType::Default : found->second;
}

UITextAutocapitalizationType capitalizationFor(const PSSpecifier& specifier) {
    static const std::map<std::string, UITextAutocapitalizationType> kNames = {
        {"none", UITextAutocapitalizationType::None},       {"words", UITextAutocapitalizationType::Words},
        {"sentences", UITextAutocapitalizationType::Sentences}, {"all", UITextAutocapitalizationType::AllCharacters},
    };
    Value named = specifier.propertyForKey("autoCaps");
    auto found = named.isString() ? kNames.find(named.asString()) : kNames.end();
    return found == kNames.end() ? UITextAutocapitalizationType::Sentences : found->second;
}

void configureKeyboard(UITextField& field, const PSSpecifier& specifier) {
    field.setSecureTextEntry(specifier.cellType() == PSCellType::SecureEditText || flag(specifier, "isSecure"));
    field.setKeyboardType(keyboardFor(specifier));
    field.setAutocapitalizationType(capitalizationFor(specifier));
    field.setAutocorrectionType(flag(specifier, "noAutoCorrect") ? UITextAutocorrectionType::No
                                                                 : UITextAutocorrectionType::Default);
}
} // namespace

void PSEditableTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    setSelectionStyle(UITableViewCellSelectionStyle::None);
    if (!control()) {
        auto field = alloc<UITextField>()->initWithFrame(CGRectMake(0, 0, 0, kFieldHeight));
        field->addTarget_action_forControlEvents(
            self<PSEditableTableCell>(), Selector::of<&PSEditableTableCell::editingEnded>("editingEnded:"),
            UIControlEvents::EditingDidEnd);
        setControl(field);
    }
    Value placeholder = specifier ? specifier->propertyForKey(PSPlaceholderKey) : Value();
    textField()->setPlaceholder(placeholder.isString() ? placeholder.asString() : std::string());
    if (specifier) configureKeyboard(*textField(), *specifier);
}

void PSEditableTableCell::setValue(const Value& value) {
    textField()->setText(value.isNil() ? std::string() : value.isString() ? value.asString() : value.description());
}

void PSEditableTableCell::editingEnded(const std::shared_ptr<UIControl>&) { sendValueChanged(Value(textField()->text())); }
