#include "host/PSSpecifier.h"

#include <algorithm>

std::shared_ptr<PSSpecifier> PSSpecifier::emptyGroupSpecifier() { return groupSpecifierWithName(""); }

std::shared_ptr<PSSpecifier> PSSpecifier::groupSpecifierWithName(const std::string& name) {
    auto specifier = alloc<PSSpecifier>();
    specifier->_name = name;
    specifier->_cellType = PSCellType::Group;
    return specifier;
}

std::shared_ptr<PSSpecifier> PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
    const std::string& name, const std::shared_ptr<NSObject>& target, Selector setter, Selector getter,
    const ObjCClass* detail, PSCellType cell, const ObjCClass*) {
    auto specifier = alloc<PSSpecifier>();
    specifier->_name = name;
    specifier->_target = target;
    specifier->_setter = std::move(setter);
    specifier->_getter = std::move(getter);
    specifier->_detailControllerClass = detail;
    specifier->_cellType = cell;
    return specifier;
}

void PSSpecifier::setProperty_forKey(const Value& value, const std::string& key) {
    if (value.isNil() || (value.isClass() && !value.asClass())) {
        _properties->erase(key);
        return;
    }
    (*_properties)[key] = value;
}

Value PSSpecifier::propertyForKey(const std::string& key) const {
    auto found = _properties->find(key);
    return found == _properties->end() ? Value() : found->second;
}

std::string PSSpecifier::titleForValue(const Value& value) const {
    Value values = propertyForKey(PSValidValuesKey);
    if (!values.isArray()) return {};
    const ValueArray& valueList = *values.asArray();
    auto found = std::find(valueList.begin(), valueList.end(), value);
    if (found == valueList.end()) return {};
    auto index = static_cast<std::size_t>(found - valueList.begin());
    for (const std::string& key : {PSShortTitlesKey, PSValidTitlesKey}) {
        Value titles = propertyForKey(key);
        if (titles.isArray() && index < titles.asArray()->size() && (*titles.asArray())[index].isString()) {
            return (*titles.asArray())[index].asString();
        }
    }
    return {};
}
