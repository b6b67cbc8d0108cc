#include "preview/SettingsListController.h"

#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"
#include "preview/AppSettingsPage.h"
#include "preview/BundleErrorController.h"
#include "preview/BundleLoader.h"
#include "preview/SettingsEntryCell.h"

#include "host/PSListController.h"
#include "host/PSPlistSpecifiers.h"
#include "platform/PropertyList.h"

std::shared_ptr<SettingsListController> SettingsListController::init() {
    UIViewController::init();
    setTitle(kTitle);
    _entries = SettingsEntry::installedEntries();
    _apps = InstalledApp::installedApps();
    return self<SettingsListController>();
}

void SettingsListController::loadView() {
    _table = alloc<UITableView>()->initWithFrame_style(UIScreen::mainScreen()->bounds(), UITableViewStyle::Grouped);
    setView(_table);
    serveTable(*_table);
}

long SettingsListController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return _apps.empty() ? 1 : 2;
}

long SettingsListController::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long section) {
    return static_cast<long>(section == kAppsSection ? _apps.size() : _entries.size());
}

std::shared_ptr<UITableViewCell> SettingsListController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = std::dynamic_pointer_cast<SettingsEntryCell>(
        tableView->dequeueReusableCellWithIdentifier(SettingsEntryCell::kReuseIdentifier));
    if (!cell) cell = alloc<SettingsEntryCell>()->init();
    auto row = static_cast<std::size_t>(indexPath->row());
    if (indexPath->section() == kAppsSection) {
        const InstalledApp& app = _apps.at(row);
        cell->textLabel()->setText(app.name);
        cell->setIcon(UIImage::imageWithContentsOfFile(app.iconPath), SettingsEntryCell::Placeholder::RoundedSquare);
        return cell;
    }
    const SettingsEntry& entry = _entries.at(row);
    cell->textLabel()->setText(entry.label);
    cell->setIcon(UIImage::imageWithContentsOfFile(entry.iconPath()), SettingsEntryCell::Placeholder::None);
    return cell;
}

void SettingsListController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                               const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto row = static_cast<std::size_t>(indexPath->row());
    if (indexPath->section() == kAppsSection && row < _apps.size()) return openApp(_apps[row]);
    if (indexPath->section() == kEntriesSection && row < _entries.size()) openEntry(_entries[row]);
}

// An app's page, or the error page when the app or its Settings.bundle cannot be read.
void SettingsListController::openApp(const InstalledApp& app) {
    auto navigation = navigationController();
    if (!navigation) return;
    std::shared_ptr<UIViewController> page;
    std::string problem = app.problem;
    if (problem.empty()) {
        auto settings = alloc<AppSettingsPage>()->initWithApp(app);
        settings->specifiers();
        problem = settings->pageError();
        page = settings;
    }
    if (!problem.empty()) {
        page = alloc<BundleErrorController>()->initWithName_message_source(app.name, problem, "App: " + app.appDirectory);
    }
    navigation->pushViewController_animated(page, /*animated=*/true);
}

void SettingsListController::openEntry(const SettingsEntry& entry) {
    auto navigation = navigationController();
    if (!navigation) return;
    BundleLoader::Result loaded = entry.isPage() ? openPage(entry) : BundleLoader::loadRootController(entry);
    std::shared_ptr<UIViewController> page = loaded.controller;
    if (!page) page = alloc<BundleErrorController>()->initWithEntry_message(entry, loaded.error);
    // The Settings app names a bundle's page after its row unless the page names itself.
    if (page->title().empty()) page->setTitle(entry.label);
    navigation->pushViewController_animated(page, /*animated=*/true);
}

// An entry without a bundle is a page of the items it holds, read afresh each time it opens.
BundleLoader::Result SettingsListController::openPage(const SettingsEntry& entry) {
    auto file = PropertyList::readDictionary(entry.pageFile);
    if (!file) return {nullptr, "The entry " + entry.pageFile + " can no longer be read."};
    auto page = alloc<PSListController>()->init();
    auto read = PSPlistSpecifiers::read(*file, page);
    if (!read.error.empty()) return {nullptr, read.error};
    page->setSpecifiers(std::move(read.specifiers));
    page->setTitle(read.title);
    return {page, {}};
}
