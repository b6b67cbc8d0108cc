#pragma once

#include "platform/NSObject.h"
#include "platform/ObjCClass.h"
#include "platform/Selector.h"
#include "platform/Value.h"

#include <memory>
#include <string>
#include <vector>

// The kinds of row a specifier stands for, by their Preferences numbers.
enum class PSCellType {
    Group = 0, Link = 1, LinkList = 2, ListItem = 3, TitleValue = 4, Slider = 5, Switch = 6, StaticText = 7,
    EditText = 8, Segment = 9, GiantIcon = 10, Giant = 11, SecureEditText = 12, Button = 13, EditTextView = 14
};

// Property keys the host reads.
inline const std::string PSKeyNameKey = "key";
inline const std::string PSDefaultValueKey = "default";
inline const std::string PSCellClassKey = "cellClass";
inline const std::string PSEnabledSpecKey = "isEnabledSpec";
inline const std::string PSHeaderCellClassGroupKey = "headerCellClass";
inline const std::string PSFooterAlignmentGroupKey = "footerAlignment";
inline const std::string PSFooterCellClassGroupKey = "footerCellClass";
inline const std::string PSFooterTextGroupKey = "footerText";
inline const std::string PSValueChangedNotificationKey = "PostNotification";
// Keys of rows written as property lists.
inline const std::string PSTableCellKey = "cell";
inline const std::string PSTitleKey = "label";
inline const std::string PSDefaultsKey = "defaults";
inline const std::string PSDetailControllerClassKey = "detail";
inline const std::string PSValidTitlesKey = "validTitles";
inline const std::string PSValidValuesKey = "validValues";
inline const std::string PSControlMinimumKey = "min";
inline const std::string PSControlMaximumKey = "max";
inline const std::string PSSliderShowValueKey = "showValue";
inline const std::string PSPlaceholderKey = "placeholder";
// A list row shows the short title of its value, when it has short titles.
inline const std::string PSShortTitlesKey = "shortTitles";

// The host's record of one row or group of a list page.
class PSSpecifier : public NSObject {
public:
    OBJC_CLASS_NAME(PSSpecifier)

    static std::shared_ptr<PSSpecifier> emptyGroupSpecifier();
    static std::shared_ptr<PSSpecifier> groupSpecifierWithName(const std::string& name);
    // `edit` is always nil here; the target is held weakly.
    static std::shared_ptr<PSSpecifier> preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        const std::string& name, const std::shared_ptr<NSObject>& target, Selector setter, Selector getter,
        const ObjCClass* detail, PSCellType cell, const ObjCClass* edit);

    const std::string& name() const { return _name; }
    std::shared_ptr<NSObject> target() const { return _target.lock(); }
    const Selector& setter() const { return _setter; }
    const Selector& getter() const { return _getter; }
    const ObjCClass* detailControllerClass() const { return _detailControllerClass; }
    PSCellType cellType() const { return _cellType; }
    bool isGroup() const { return _cellType == PSCellType::Group; }

    const std::shared_ptr<ValueDictionary>& properties() const { return _properties; }
    // Setting nil removes the property.
    void setProperty_forKey(const Value& value, const std::string& key);
    Value propertyForKey(const std::string& key) const;

    // The title `shortTitles` (else `validTitles`) gives the value at the
    // same place in `validValues`; empty when the value is not among them.
    std::string titleForValue(const Value& value) const;

    const Selector& buttonAction() const { return _buttonAction; }
    void setButtonAction(Selector action) { _buttonAction = std::move(action); }

private:
    std::string _name;
    std::weak_ptr<NSObject> _target;
    Selector _setter;
    Selector _getter;
    const ObjCClass* _detailControllerClass = nullptr;
    PSCellType _cellType = PSCellType::Group;
    std::shared_ptr<ValueDictionary> _properties = std::make_shared<ValueDictionary>();
    Selector _buttonAction;
};

// The immutable list a page keeps in `_specifiers`.
using SpecifierList = std::vector<std::shared_ptr<PSSpecifier>>;
