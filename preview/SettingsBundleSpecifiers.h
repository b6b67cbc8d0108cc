#pragma once

#include "host/PSSpecifier.h"
#include "platform/NSBundle.h"

#include <string>

// Turns the PreferenceSpecifiers of an app's Settings.bundle page (Apple's
// Settings bundle schema) into the host's specifiers, so the host's cells
// draw the rows: Type -> cell kind, Title -> label (through the page's
// strings table), Key -> key, DefaultValue -> default, Titles/Values ->
// validTitles/validValues, MinimumValue/MaximumValue -> min/max...
//
// Rows keep in properties what only the page acts on: a switch's TrueValue
// and FalseValue, a child pane's File, a radio group's choices (one ListItem
// row per title, holding its `value`). An element of a Type outside the
// schema is a plain row with its title, and the log says so; one whose
// SupportedUserInterfaceIdioms leaves out the phone is not shown.
class SettingsBundleSpecifiers {
public:
    static constexpr const char* kTrueValueKey = "TrueValue";
    static constexpr const char* kFalseValueKey = "FalseValue";
    static constexpr const char* kChildPaneFileKey = "File";
    static constexpr const char* kChoiceValueKey = "value";

    struct Context {
        std::shared_ptr<NSBundle> settingsBundle; // where strings tables and pictures are looked up
        std::string stringsTable;                 // "Root" unless the page names another
        std::shared_ptr<NSObject> target;         // the page, held weakly by the rows
        const ObjCClass* childPaneClass = nullptr; // the page class a child pane row opens
    };

    static SpecifierList read(const ValueArray& elements, const Context& context);

private:
    explicit SettingsBundleSpecifiers(const Context& context) : _context(context) {}

    void append(const ValueDictionary& element);
    std::shared_ptr<PSSpecifier> row(const std::string& title, PSCellType type, const ObjCClass* detail = nullptr) const;
    std::string localized(const Value& text) const;
    Value localizedList(const Value& list) const;
    void copyValueKeys(const ValueDictionary& element, PSSpecifier& row) const;
    void copyChoices(const ValueDictionary& element, PSSpecifier& row) const;

    void appendGroup(const ValueDictionary& element);
    void appendSwitch(const ValueDictionary& element);
    void appendMultiValue(const ValueDictionary& element);
    void appendRadioGroup(const ValueDictionary& element);
    void appendTitleValue(const ValueDictionary& element);
    void appendTextField(const ValueDictionary& element);
    void appendSlider(const ValueDictionary& element);
    void appendChildPane(const ValueDictionary& element);
    void appendUnknown(const ValueDictionary& element, const std::string& type);

    const Context& _context;
    SpecifierList _rows;
};
