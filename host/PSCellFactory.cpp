#include "host/PSCellFactory.h"

#include "host/PSEditableTableCell.h"
#include "host/PSSegmentTableCell.h"
#include "host/PSSliderTableCell.h"
#include "host/PSSwitchTableCell.h"

namespace {

template <typename Cell>
std::shared_ptr<PSTableCell> makeCellOf(UITableViewCellStyle style, const std::string& identifier,
                                        const std::shared_ptr<PSSpecifier>& specifier) {
    return alloc<Cell>()->initWithStyle_reuseIdentifier_specifier(style, identifier, specifier);
}

} // namespace

const ObjCClass* PSCellFactory::classFromProperty(const Value& value) {
    if (value.isClass()) return value.asClass();
    if (value.isString()) return objc_getClass(value.asString());
    return nullptr;
}

std::string PSCellFactory::reuseIdentifierForSpecifier(const PSSpecifier& specifier) {
    if (const ObjCClass* cellClass = classFromProperty(specifier.propertyForKey(PSCellClassKey))) {
        return cellClass->name();
    }
    return "PSCellType" + std::to_string(static_cast<int>(specifier.cellType())) + "-style" +
           std::to_string(static_cast<int>(PSTableCell::styleFor(specifier)));
}

// A switch always shows a value; other rows when they name the key it is kept under.
bool PSCellFactory::showsValue(const PSSpecifier& specifier) {
    switch (specifier.cellType()) {
    case PSCellType::Switch:
        return true;
    case PSCellType::LinkList:
    case PSCellType::TitleValue:
    case PSCellType::Slider:
    case PSCellType::Segment:
    case PSCellType::EditText:
    case PSCellType::SecureEditText:
    case PSCellType::EditTextView:
        return specifier.propertyForKey(PSKeyNameKey).isString();
    default:
        return false;
    }
}

std::shared_ptr<PSTableCell> PSCellFactory::cellForSpecifier(const std::shared_ptr<PSSpecifier>& specifier,
                                                             const std::string& identifier) {
    ValueArray arguments{Value(static_cast<int>(UITableViewCellStyle::Default)), Value(identifier), Value(specifier)};
    if (const ObjCClass* cellClass = classFromProperty(specifier->propertyForKey(PSCellClassKey))) {
        auto cell = std::dynamic_pointer_cast<PSTableCell>(
            cellClass->create("initWithStyle:reuseIdentifier:specifier:", arguments));
        if (cell) return cell;
    }
    constexpr auto plain = UITableViewCellStyle::Default;
    switch (specifier->cellType()) {
    case PSCellType::Switch:
        return makeCellOf<PSSwitchTableCell>(plain, identifier, specifier);
    case PSCellType::Slider:
        return makeCellOf<PSSliderTableCell>(plain, identifier, specifier);
    case PSCellType::Segment:
        return makeCellOf<PSSegmentTableCell>(plain, identifier, specifier);
    case PSCellType::EditText:
    case PSCellType::SecureEditText:
    case PSCellType::EditTextView:
        return makeCellOf<PSEditableTableCell>(plain, identifier, specifier);
    default:
        return makeCellOf<PSTableCell>(PSTableCell::styleFor(*specifier), identifier, specifier);
    }
}

std::shared_ptr<UIView> PSCellFactory::groupViewForSpecifier(const std::shared_ptr<PSSpecifier>& group,
                                                             const std::string& classKey) {
    const ObjCClass* viewClass = classFromProperty(group->propertyForKey(classKey));
    if (!viewClass) return nullptr;
    return std::dynamic_pointer_cast<UIView>(viewClass->create("initWithSpecifier:", {Value(group)}));
}
