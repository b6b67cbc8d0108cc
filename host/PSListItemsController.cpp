#include "host/PSListItemsController.h"

#include "platform/ObjCClass.h"

namespace {

const auto registration =
    ClassRegistration<PSListItemsController, PSListController>().initializer<&PSListItemsController::init>("init");

// Where a choice row keeps the value it stands for.
const std::string kChoiceValueKey = "value";

} // namespace

std::shared_ptr<PSListItemsController> PSListItemsController::init() {
    PSListController::init();
    return self<PSListItemsController>();
}

void PSListItemsController::setSpecifier(std::shared_ptr<PSSpecifier> specifier) {
    if (specifier) setTitle(specifier->name());
    PSListController::setSpecifier(std::move(specifier));
}

std::shared_ptr<PSListController> PSListItemsController::linkPage() const {
    return std::dynamic_pointer_cast<PSListController>(parentController());
}

std::shared_ptr<const SpecifierList> PSListItemsController::specifiers() {
    if (_specifiers || !specifier()) return _specifiers;
    SpecifierList rows{PSSpecifier::emptyGroupSpecifier()};
    // The link's explanation stands under its choices.
    if (Value message = specifier()->propertyForKey("staticTextMessage"); message.isString()) {
        rows.front()->setProperty_forKey(message, PSFooterTextGroupKey);
    }
    Value titles = specifier()->propertyForKey(PSValidTitlesKey);
    Value values = specifier()->propertyForKey(PSValidValuesKey);
    if (titles.isArray() && values.isArray()) {
        const ValueArray& titleList = *titles.asArray();
        const ValueArray& valueList = *values.asArray();
        for (std::size_t index = 0; index < titleList.size() && index < valueList.size(); ++index) {
            auto choice = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
                titleList[index].isString() ? titleList[index].asString() : std::string(), self<NSObject>(),
                Selector(), Selector(), nullptr, PSCellType::ListItem, nullptr);
            choice->setProperty_forKey(valueList[index], kChoiceValueKey);
            rows.push_back(choice);
        }
    }
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

Value PSListItemsController::valueOf(const PSSpecifier& choice) const { return choice.propertyForKey(kChoiceValueKey); }

std::shared_ptr<UITableViewCell> PSListItemsController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = PSListController::tableView_cellForRowAtIndexPath(tableView, indexPath);
    auto choice = specifierAtIndexPath(indexPath);
    auto page = linkPage();
    if (!cell || !choice || !page || !specifier()) return cell;
    bool chosen = valueOf(*choice) == page->readPreferenceValue(specifier());
    cell->setAccessoryType(chosen ? UITableViewCellAccessoryType::Checkmark : UITableViewCellAccessoryType::None);
    return cell;
}

void PSListItemsController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                               const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto choice = specifierAtIndexPath(indexPath);
    auto page = linkPage();
    if (!choice || !page || !specifier()) return;
    page->valueChanged_forSpecifier(valueOf(*choice), specifier());
    page->reloadSpecifier(specifier());
    tableView->reloadData();
}
