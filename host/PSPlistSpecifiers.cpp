#include "host/PSPlistSpecifiers.h"

#include "host/PSTableCell.h"
#include "platform/NSLog.h"

namespace {

constexpr const char* kTitleKey = "title";
constexpr const char* kItemsKey = "items";
constexpr const char* kChooserClassName = "PSListItemsController";

Value valueFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? Value() : found->second;
}

const ObjCClass* detailClassFor(const ValueDictionary& item) {
    Value named = valueFor(item, PSDetailControllerClassKey);
    const ObjCClass* detail = named.isString() ? objc_getClass(named.asString()) : nullptr;
    return detail ? detail : objc_getClass(kChooserClassName);
}

} // namespace

PSPlistSpecifiers::Result PSPlistSpecifiers::read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target) {
    Result result;
    Value title = valueFor(plist, kTitleKey);
    if (title.isString()) result.title = title.asString();
    Value items = valueFor(plist, kItemsKey);
    if (!items.isArray()) {
        result.error = "The page's \u201Citems\u201D is not a list.";
        return result;
    }
    std::size_t number = 0;
    for (const Value& item : *items.asArray()) {
        ++number;
        if (!item.isDictionary()) {
            result.error = "Item " + std::to_string(number) + " of \u201Citems\u201D is not a dictionary.";
            return result;
        }
        auto row = rowFor(*item.asDictionary(), target, result.error, number);
        if (!row) return result;
        result.specifiers.push_back(row);
    }
    return result;
}

std::shared_ptr<PSSpecifier> PSPlistSpecifiers::rowFor(const ValueDictionary& item,
                                                       const std::shared_ptr<NSObject>& target, std::string& error,
                                                       std::size_t number) {
    Value cell = valueFor(item, PSTableCellKey);
    Value label = valueFor(item, PSTitleKey);
    if (!cell.isString() || (!label.isNil() && !label.isString())) {
        error = "Item " + std::to_string(number) + " of \u201Citems\u201D needs a \u201Ccell\u201D kind and a text \u201Clabel\u201D.";
        return nullptr;
    }
    std::string name = label.isString() ? label.asString() : std::string();
    auto type = PSTableCell::cellTypeFromString(cell.asString());
    if (!type) {
        NSLog("Settings: the row kind \u201C" + cell.asString() + "\u201D of \u201C" + name +
              "\u201D is not known; it is shown as a plain row");
        type = PSCellType::StaticText;
    }
    auto row = *type == PSCellType::Group
                   ? PSSpecifier::groupSpecifierWithName(name)
                   : PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
                         name, target, Selector(), Selector(),
                         *type == PSCellType::LinkList ? detailClassFor(item) : nullptr, *type, nullptr);
    for (const auto& [key, value] : item) row->setProperty_forKey(value, key);
    return row;
}
