#include "preview/SettingsListController.h"

#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"
#include "preview/AppSettingsPage.h"
#include "preview/BundleErrorController.h"
#include "preview/BundleLoader.h"
#include "preview/CodeStandIn.h"
#include "preview/PlistPageController.h"
#include "preview/SettingsEntryCell.h"

#include <algorithm>

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
    _openedEntryFile = entry.file;
    navigation->pushViewController_animated(pageFor(entry), /*animated=*/true);
}

std::shared_ptr<UIViewController> SettingsListController::pageFor(const SettingsEntry& entry) {
    BundleLoader::Loaded loaded = entry.isPage() ? openPage(entry) : openBundle(entry);
    std::shared_ptr<UIViewController> page =
        loaded ? loaded.value() : alloc<BundleErrorController>()->initWithEntry_message(entry, loaded.error());
    // The Settings app names a bundle's page after its row unless the page names itself.
    if (page->title().empty()) page->setTitle(entry.label);
    return page;
}

void SettingsListController::reloadEntries() {
    _entries = SettingsEntry::installedEntries();
    _apps = InstalledApp::installedApps();
    if (_table) _table->reloadData();
}

const SettingsEntry* SettingsListController::entryForFile(const std::string& file) const {
    auto found = std::find_if(_entries.begin(), _entries.end(), [&](const auto& entry) { return entry.file == file; });
    return found == _entries.end() ? nullptr : &*found;
}

// A bundle whose code cannot run here opens the page of its Root.plist in place of its code.
BundleLoader::Loaded SettingsListController::openBundle(const SettingsEntry& entry) {
    auto standIn = std::dynamic_pointer_cast<PlistPageController>(CodeStandIn::pageFor(entry));
    if (!standIn) return BundleLoader::loadRootController(entry);
    standIn->specifiers();
    if (!standIn->loadError().empty()) return BundleLoader::Loaded::failure(standIn->file() + ": " + standIn->loadError());
    return BundleLoader::Loaded::success(standIn);
}

// An entry without a bundle is a page of the items it holds, read afresh each time it opens.
BundleLoader::Loaded SettingsListController::openPage(const SettingsEntry& entry) {
    auto page = alloc<PlistPageController>()->initWithFile_table(entry.pageFile, "");
    page->specifiers();
    if (!page->loadError().empty()) return BundleLoader::Loaded::failure(page->loadError());
    return BundleLoader::Loaded::success(page);
}
