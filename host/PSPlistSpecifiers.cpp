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

Result<PSPlistPage> PSPlistSpecifiers::read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target) {
    PSPlistPage page;
    Value title = valueFor(plist, kTitleKey);
    if (title.isString()) page.title = title.asString();
    Value items = valueFor(plist, kItemsKey);
    if (!items.isArray()) return Result<PSPlistPage>::failure("The page's \u201Citems\u201D is not a list.");
    std::size_t number = 0;
    for (const Value& item : *items.asArray()) {
        ++number;
        if (!item.isDictionary()) {
            return Result<PSPlistPage>::failure("Item " + std::to_string(number) +
                                                " of \u201Citems\u201D is not a dictionary.");
        }
        auto row = rowFor(*item.asDictionary(), target, number);
        if (!row) return Result<PSPlistPage>::failure(row.error());
        page.specifiers.push_back(std::move(row).value());
    }
    return Result<PSPlistPage>::success(std::move(page));
}

Result<std::shared_ptr<PSSpecifier>> PSPlistSpecifiers::rowFor(const ValueDictionary& item,
                                                               const std::shared_ptr<NSObject>& target,
                                                               std::size_t number) {
    Value cell = valueFor(item, PSTableCellKey);
    Value label = valueFor(item, PSTitleKey);
    if (!cell.isString() || (!label.isNil() && !label.isString())) {
        return Result<std::shared_ptr<PSSpecifier>>::failure(
            "Item " + std::to_string(number) +
            " of \u201Citems\u201D needs a \u201Ccell\u201D kind and a text \u201Clabel\u201D.");
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
    return Result<std::shared_ptr<PSSpecifier>>::success(row);
}
