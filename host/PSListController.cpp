#include "host/PSListController.h"

#include "host/PSEditableTableCell.h"
#include "host/PSPlistSpecifiers.h"
#include "host/PSRowActions.h"
#include "host/PSSegmentTableCell.h"
#include "host/PSSliderTableCell.h"
#include "host/PSSwitchTableCell.h"
#include "platform/NSLog.h"
#include "platform/NSNotificationCenter.h"
#include "platform/NSPathUtilities.h"
#include "platform/ObjCClass.h"
#include "platform/PropertyList.h"
#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"

#include <algorithm>

namespace {

const auto registration =
    ClassRegistration<PSListController, PSViewController>().initializer<&PSListController::init>("init");

// A class property holds a class, or the name of one.
const ObjCClass* classFromProperty(const Value& value) {
    if (value.isClass()) return value.asClass();
    if (value.isString()) return objc_getClass(value.asString());
    return nullptr;
}

std::string reuseIdentifierFor(const PSSpecifier& specifier) {
    if (const ObjCClass* cellClass = classFromProperty(specifier.propertyForKey(PSCellClassKey))) {
        return cellClass->name();
    }
    return "PSCellType" + std::to_string(static_cast<int>(specifier.cellType())) + "-style" +
           std::to_string(static_cast<int>(PSTableCell::styleFor(specifier)));
}

// A switch always shows a value; other rows when they name the key it is kept under.
bool showsValue(const PSSpecifier& specifier) {
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

// "/var/mobile/Library/Preferences/<defaults>.plist"; empty when the row names no plain domain.
std::string defaultsPathFor(const PSSpecifier& specifier) {
    Value domain = specifier.propertyForKey(PSDefaultsKey);
    if (!domain.isString() || domain.asString().empty() || domain.asString().find('/') != std::string::npos) return {};
    std::string directory = stringByAppendingPathComponent(NSHomeDirectory(), "Library/Preferences");
    return stringByAppendingPathExtension(stringByAppendingPathComponent(directory, domain.asString()), "plist");
}

template <typename Cell>
std::shared_ptr<PSTableCell> makeCellOf(UITableViewCellStyle style, const std::string& identifier,
                                        const std::shared_ptr<PSSpecifier>& specifier) {
    return alloc<Cell>()->initWithStyle_reuseIdentifier_specifier(style, identifier, specifier);
}

} // namespace

std::shared_ptr<PSListController> PSListController::init() {
    PSViewController::init();
    return self<PSListController>();
}

void PSListController::loadView() {
    _table = alloc<UITableView>()->initWithFrame_style(UIScreen::mainScreen()->bounds(), UITableViewStyle::Grouped);
    setView(_table);
    auto page = self<PSListController>();
    _table->setDelegate(page);
    _table->setDataSource(page);
}

std::shared_ptr<UITableView> PSListController::table() {
    view();
    return _table;
}

Value PSListController::readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) {
    Value fallback = specifier->propertyForKey(PSDefaultValueKey);
    Value key = specifier->propertyForKey(PSKeyNameKey);
    std::string path = defaultsPathFor(*specifier);
    if (!key.isString() || path.empty()) return fallback;
    auto file = PropertyList::readDictionary(path);
    if (!file) return fallback;
    auto found = file->find(key.asString());
    return found != file->end() ? found->second : fallback;
}

void PSListController::setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) {
    Value key = specifier->propertyForKey(PSKeyNameKey);
    std::string path = defaultsPathFor(*specifier);
    if (!key.isString() || path.empty()) return;
    auto file = PropertyList::readDictionary(path);
    if (!file) file = std::make_shared<ValueDictionary>();
    (*file)[key.asString()] = value;
    PropertyList::write(Value(file), path);
}

void PSListController::setSpecifiers(SpecifierList specifiers) {
    _specifiers = std::make_shared<const SpecifierList>(std::move(specifiers));
    if (_table) _table->reloadData();
}

std::shared_ptr<NSBundle> PSListController::bundle() { return NSBundle::bundleForClass(objc_getClass(className())); }

SpecifierList PSListController::loadSpecifiersFromPlistName_target(const std::string& name,
                                                                  const std::shared_ptr<NSObject>& target) {
    auto pageBundle = bundle();
    std::string path = pageBundle ? pageBundle->pathForResource_ofType(name, "plist") : std::string();
    auto plist = path.empty() ? nullptr : PropertyList::readDictionary(path);
    if (!plist) {
        _specifierLoadError = "The page's bundle has no readable " + name + ".plist.";
        NSLog("Settings: " + _specifierLoadError);
        return {};
    }
    // The page's texts are keys of its own strings table, <name>.strings.
    auto page = PSPlistSpecifiers::read(*plist, target, PSPlistLocalizer(pageBundle, name), pageBundle);
    _specifierLoadError = page.error.empty() ? std::string() : path + ": " + page.error;
    if (!page.error.empty()) {
        NSLog("Settings: " + _specifierLoadError);
        return {};
    }
    if (!page.title.empty()) setTitle(page.title);
    return page.specifiers;
}

const std::vector<PSListController::Section>& PSListController::sections() {
    auto list = specifiers();
    if (list.get() == _sectionsBuiltFrom) return _sections;
    _sectionsSource = list;
    _sectionsBuiltFrom = list.get();
    _sections.clear();
    if (!list) return _sections;
    for (const auto& specifier : *list) {
        if (specifier->isGroup()) {
            _sections.push_back({specifier, {}});
            continue;
        }
        if (_sections.empty()) _sections.push_back({nullptr, {}});
        _sections.back().rows.push_back(specifier);
    }
    return _sections;
}

std::shared_ptr<PSSpecifier> PSListController::specifierAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    const auto& all = sections();
    if (!indexPath || indexPath->section() < 0 || indexPath->section() >= static_cast<long>(all.size())) return nullptr;
    const auto& rows = all[indexPath->section()].rows;
    if (indexPath->row() < 0 || indexPath->row() >= static_cast<long>(rows.size())) return nullptr;
    return rows[indexPath->row()];
}

std::shared_ptr<NSIndexPath> PSListController::indexPathForSpecifier(const PSSpecifier* specifier) {
    const auto& all = sections();
    for (std::size_t section = 0; section < all.size(); ++section) {
        const auto& rows = all[section].rows;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].get() == specifier) return NSIndexPath::indexPathForRow_inSection(row, section);
        }
    }
    return nullptr;
}

void PSListController::insertContiguousSpecifiers_atIndex_animated(const SpecifierList& inserted, std::size_t index,
                                                                    bool animated) {
    auto current = specifiers();
    SpecifierList updated = current ? *current : SpecifierList{};
    index = std::min(index, updated.size());
    updated.insert(updated.begin() + static_cast<std::ptrdiff_t>(index), inserted.begin(), inserted.end());
    _specifiers = std::make_shared<const SpecifierList>(std::move(updated));
    if (!_table) return;
    bool insertsGroups = std::any_of(inserted.begin(), inserted.end(), [](const auto& s) { return s->isGroup(); });
    if (insertsGroups) {
        _table->reloadData();
        return;
    }
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (const auto& specifier : inserted) rows.push_back(indexPathForSpecifier(specifier.get()));
    _table->insertRowsAtIndexPaths_withRowAnimation(rows, animated ? UITableViewRowAnimation::Fade
                                                                   : UITableViewRowAnimation::None);
}

void PSListController::removeContiguousSpecifiers_animated(const SpecifierList& removed, bool animated) {
    auto current = specifiers();
    if (!current || removed.empty()) return;
    auto first = std::find(current->begin(), current->end(), removed.front());
    if (first == current->end()) return;
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (const auto& specifier : removed) {
        if (auto indexPath = indexPathForSpecifier(specifier.get())) rows.push_back(indexPath);
    }
    SpecifierList updated(current->begin(), first);
    auto rest = first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(removed.size(), current->end() - first));
    updated.insert(updated.end(), rest, current->end());
    _specifiers = std::make_shared<const SpecifierList>(std::move(updated));
    if (!_table) return;
    bool removesGroups = std::any_of(removed.begin(), removed.end(), [](const auto& s) { return s->isGroup(); });
    if (removesGroups) {
        _table->reloadData();
        return;
    }
    _table->deleteRowsAtIndexPaths_withRowAnimation(rows, animated ? UITableViewRowAnimation::Fade
                                                                   : UITableViewRowAnimation::None);
}

long PSListController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return static_cast<long>(sections().size());
}

long PSListController::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long section) {
    const auto& all = sections();
    return section >= 0 && section < static_cast<long>(all.size()) ? static_cast<long>(all[section].rows.size()) : 0;
}

std::shared_ptr<PSTableCell> PSListController::makeCell(const std::shared_ptr<PSSpecifier>& specifier,
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

std::shared_ptr<UITableViewCell> PSListController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto specifier = specifierAtIndexPath(indexPath);
    if (!specifier) return nullptr;
    std::string identifier = reuseIdentifierFor(*specifier);
    auto cell = std::dynamic_pointer_cast<PSTableCell>(tableView->dequeueReusableCellWithIdentifier(identifier));
    if (!cell) cell = makeCell(specifier, identifier);
    configureCell(*cell, specifier);
    return cell;
}

void PSListController::configureCell(PSTableCell& cell, const std::shared_ptr<PSSpecifier>& specifier) {
    cell.refreshCellContentsWithSpecifier(specifier);
    if (!showsValue(*specifier)) return;
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

void PSListController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                          const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto specifier = specifierAtIndexPath(indexPath);
    if (!specifier) return;
    switch (specifier->cellType()) {
    case PSCellType::Link:
    case PSCellType::LinkList:
        if (specifier->detailControllerClass()) {
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
        PSRowActions::pressButton(*this, specifier);
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
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long>(all.size()) || !all[section].group) return std::nullopt;
    const std::string& name = all[section].group->name();
    return name.empty() ? std::nullopt : std::optional(name);
}

std::optional<std::string> PSListController::tableView_titleForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                               long section) {
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long>(all.size()) || !all[section].group) return std::nullopt;
    Value text = all[section].group->propertyForKey(PSFooterTextGroupKey);
    return text.isString() ? std::optional(text.asString()) : std::nullopt;
}

// A group's header or footer view, made once per group record from the class
// it names, through initWithSpecifier:.
std::shared_ptr<UIView> PSListController::groupView(long section, const std::string& classKey) {
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long>(all.size()) || !all[section].group) return nullptr;
    const auto& group = all[section].group;
    auto key = std::pair{group.get(), classKey};
    if (auto cached = _groupViews.find(key); cached != _groupViews.end()) return cached->second;
    const ObjCClass* viewClass = classFromProperty(group->propertyForKey(classKey));
    if (!viewClass) return nullptr;
    auto view = std::dynamic_pointer_cast<UIView>(viewClass->create("initWithSpecifier:", {Value(group)}));
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
