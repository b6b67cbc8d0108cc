#include "host/PSListController.h"

#include "host/PSCellFactory.h"
#include "host/PSDefaultsStore.h"
#include "host/PSPlistPageLoader.h"
#include "host/PSRowActions.h"
#include "host/PSSpecifierRunEditor.h"
#include "host/PSTextAlignment.h"
#include "platform/NSNotificationCenter.h"
#include "platform/ObjCClass.h"
#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"

namespace {

const auto registration =
    ClassRegistration<PSListController, PSViewController>().initializer<&PSListController::init>("init");

// The file of the domain a row names in `defaults`.
PSDefaultsStore defaultsStoreOf(const PSSpecifier& specifier) {
    Value domain = specifier.propertyForKey(PSDefaultsKey);
    return PSDefaultsStore::forDomain(domain.isString() ? domain.asString() : std::string());
}

// A row taller than a few screens is a mistake in the page, not a row.
constexpr double kTallestRow = 2000;

} // namespace

std::shared_ptr<PSListController> PSListController::init() {
    PSViewController::init();
    return self<PSListController>();
}

void PSListController::loadView() {
    _table = alloc<UITableView>()->initWithFrame_style(UIScreen::mainScreen()->bounds(), UITableViewStyle::Grouped);
    setView(_table);
    serveTable(*_table);
}

std::shared_ptr<UITableView> PSListController::table() {
    view();
    return _table;
}

Value PSListController::readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) {
    Value fallback = specifier->propertyForKey(PSDefaultValueKey);
    Value key = specifier->propertyForKey(PSKeyNameKey);
    if (!key.isString()) return fallback;
    Value stored = defaultsStoreOf(*specifier).valueForKey(key.asString());
    return stored.isNil() ? fallback : stored;
}

void PSListController::setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) {
    Value key = specifier->propertyForKey(PSKeyNameKey);
    if (!key.isString()) return;
    // A failed write leaves the old file whole; the row shows its value afresh when it is next built.
    (void)defaultsStoreOf(*specifier).setValueForKey(value, key.asString());
}

void PSListController::setSpecifiers(SpecifierList specifiers) {
    _specifiers = std::make_shared<const SpecifierList>(std::move(specifiers));
    if (_table) _table->reloadData();
}

void PSListController::reloadSpecifiers() {
    _specifiers = nullptr;
    _specifierLoadError.clear();
    if (_table) _table->reloadData();
}

std::shared_ptr<NSBundle> PSListController::bundle() { return NSBundle::bundleForClass(objc_getClass(className())); }

SpecifierList PSListController::loadSpecifiersFromPlistName_target(const std::string& name,
                                                                  const std::shared_ptr<NSObject>& target) {
    auto loaded = PSPlistPageLoader::load(bundle(), name, target);
    _specifierLoadError = loaded.error();
    if (!loaded) return {};
    PSPlistPage page = std::move(loaded).value();
    if (!page.title.empty()) setTitle(page.title);
    return std::move(page.specifiers);
}

const PSSectionModel& PSListController::sections() {
    auto list = specifiers();
    if (!_sections.isBuiltFrom(list.get())) _sections = PSSectionModel(list);
    return _sections;
}

std::shared_ptr<PSSpecifier> PSListController::specifierAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    return sections().specifierAtIndexPath(indexPath);
}

std::shared_ptr<NSIndexPath> PSListController::indexPathForSpecifier(const PSSpecifier* specifier) {
    return sections().indexPathForSpecifier(specifier);
}

void PSListController::insertContiguousSpecifiers_atIndex_animated(const SpecifierList& inserted, std::size_t index,
                                                                    bool animated) {
    auto current = specifiers();
    _specifiers = std::make_shared<const SpecifierList>(
        PSSpecifierRunEditor::inserting(current ? *current : SpecifierList{}, inserted, index));
    if (_table) PSSpecifierRunEditor::showInsertion(*_table, sections(), inserted, animated);
}

void PSListController::removeContiguousSpecifiers_animated(const SpecifierList& removed, bool animated) {
    auto current = specifiers();
    auto updated = current ? PSSpecifierRunEditor::removing(*current, removed) : std::nullopt;
    if (!updated) return;
    PSSectionModel before = sections();
    _specifiers = std::make_shared<const SpecifierList>(std::move(*updated));
    if (_table) PSSpecifierRunEditor::showRemoval(*_table, before, removed, animated);
}

long PSListController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return sections().numberOfSections();
}

long PSListController::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long section) {
    return sections().numberOfRowsInSection(section);
}

std::shared_ptr<UITableViewCell> PSListController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto specifier = specifierAtIndexPath(indexPath);
    if (!specifier) return nullptr;
    std::string identifier = PSCellFactory::reuseIdentifierForSpecifier(*specifier);
    auto cell = std::dynamic_pointer_cast<PSTableCell>(tableView->dequeueReusableCellWithIdentifier(identifier));
    if (!cell) cell = PSCellFactory::cellForSpecifier(specifier, identifier);
    configureCell(*cell, specifier);
    return cell;
}

void PSListController::configureCell(PSTableCell& cell, const std::shared_ptr<PSSpecifier>& specifier) {
    cell.refreshCellContentsWithSpecifier(specifier);
    if (!PSCellFactory::showsValue(*specifier)) return;
    auto target = specifier->target();
    cell.setValue(target && specifier->getter() ? specifier->getter().perform(*target, {Value(specifier)})
                                                : readPreferenceValue(specifier));
    std::weak_ptr<PSListController> weakSelf = self<PSListController>();
    std::weak_ptr<PSSpecifier> weakSpecifier = specifier;
    cell.setValueChangedHandler([weakSelf, weakSpecifier](const Value& value) {
        auto page = weakSelf.lock();
        auto row = weakSpecifier.lock();
        if (page && row) page->valueChanged_forSpecifier(value, row);
    });
}

// The host hands a change to the row's setter, then posts the row's change
// notification: the page itself posts nothing.
void PSListController::valueChanged_forSpecifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) {
    auto target = specifier->target();
    if (target && specifier->setter()) {
        specifier->setter().perform(*target, {value, Value(specifier)});
    } else {
        setPreferenceValue_specifier(value, specifier);
    }
    Value notification = specifier->propertyForKey(PSValueChangedNotificationKey);
    if (notification.isString() && !notification.asString().empty()) {
        NSNotificationCenter::defaultCenter()->postNotificationName_object(notification.asString(), nullptr);
    }
}

void PSListController::reloadSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    auto indexPath = _table ? indexPathForSpecifier(specifier.get()) : nullptr;
    auto cell = indexPath ? std::dynamic_pointer_cast<PSTableCell>(_table->cellForRowAtIndexPath(indexPath)) : nullptr;
    if (cell) configureCell(*cell, specifier);
}

std::optional<CGFloat> PSListController::tableView_heightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                          const std::shared_ptr<NSIndexPath>& indexPath) {
    auto specifier = specifierAtIndexPath(indexPath);
    auto height = specifier ? specifier->propertyForKey("height").finiteDoubleValue() : std::nullopt;
    if (!height || *height <= 0 || *height > kTallestRow) return std::nullopt;
    return static_cast<CGFloat>(*height);
}

void PSListController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                          const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto specifier = specifierAtIndexPath(indexPath);
    if (!specifier) return;
    switch (specifier->cellType()) {
    case PSCellType::Link:
    case PSCellType::LinkList:
        // A row a property list made leads somewhere even without its class; one made in code as its code says.
        if (specifier->detailControllerClass() || !PSRowActions::cameFromPropertyList(*specifier)) {
            openDetail(specifier);
            return;
        }
        PSRowActions::openLink(*this, specifier);
        return;
    case PSCellType::Button:
        if (auto target = specifier->target(); target && specifier->buttonAction()) {
            specifier->buttonAction().perform(*target, {Value(specifier)});
            return;
        }
        if (PSRowActions::cameFromPropertyList(*specifier)) PSRowActions::pressButton(*this, specifier);
        return;
    default:
        return;
    }
}

void PSListController::openDetail(const std::shared_ptr<PSSpecifier>& specifier) {
    const ObjCClass* detailClass = specifier->detailControllerClass();
    auto navigation = navigationController();
    if (!detailClass || !navigation) return;
    auto page = std::dynamic_pointer_cast<UIViewController>(detailClass->create("init"));
    if (!page) return;
    if (auto preferencesPage = std::dynamic_pointer_cast<PSViewController>(page)) {
        preferencesPage->setSpecifier(specifier);
        preferencesPage->setParentController(self<PSViewController>());
    }
    navigation->pushViewController_animated(page, /*animated=*/true);
}

std::optional<std::string> PSListController::tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                               long section) {
    auto group = sections().groupOfSection(section);
    if (!group) return std::nullopt;
    const std::string& name = group->name();
    return name.empty() ? std::nullopt : std::optional(name);
}

std::optional<std::string> PSListController::tableView_titleForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                               long section) {
    auto group = sections().groupOfSection(section);
    if (!group) return std::nullopt;
    Value text = group->propertyForKey(PSFooterTextGroupKey);
    return text.isString() ? std::optional(text.asString()) : std::nullopt;
}

NSTextAlignment PSListController::tableView_titleAlignmentForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                             long section) {
    auto group = sections().groupOfSection(section);
    return group ? PSTextAlignmentFromValue(group->propertyForKey(PSFooterAlignmentGroupKey)) : NSTextAlignment::Left;
}

// A group's header or footer view, made once per group record from the class
// it names, through initWithSpecifier:.
std::shared_ptr<UIView> PSListController::groupView(long section, const std::string& classKey) {
    auto group = sections().groupOfSection(section);
    if (!group) return nullptr;
    auto key = std::pair{group.get(), classKey};
    if (auto cached = _groupViews.find(key); cached != _groupViews.end()) return cached->second;
    auto view = PSCellFactory::groupViewForSpecifier(group, classKey);
    if (view) _groupViews[key] = view;
    return view;
}

std::optional<CGFloat> PSListController::groupViewHeight(const UITableView& tableView, long section,
                                                         const std::string& classKey) {
    auto view = groupView(section, classKey);
    if (!view) return std::nullopt;
    auto cell = std::dynamic_pointer_cast<PSTableCell>(view);
    return cell ? cell->preferredHeightForWidth(tableView.frame().width()) : view->frame().height();
}

std::shared_ptr<UIView> PSListController::tableView_viewForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                          long section) {
    return groupView(section, PSHeaderCellClassGroupKey);
}

std::optional<CGFloat> PSListController::tableView_heightForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                                           long section) {
    return groupViewHeight(*tableView, section, PSHeaderCellClassGroupKey);
}

std::shared_ptr<UIView> PSListController::tableView_viewForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                          long section) {
    return groupView(section, PSFooterCellClassGroupKey);
}

std::optional<CGFloat> PSListController::tableView_heightForFooterInSection(const std::shared_ptr<UITableView>& tableView,
                                                                           long section) {
    return groupViewHeight(*tableView, section, PSFooterCellClassGroupKey);
}
