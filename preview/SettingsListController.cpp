#include "preview/SettingsListController.h"

#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"
#include "preview/BundleErrorController.h"
#include "preview/BundleLoader.h"
#include "preview/SettingsEntryCell.h"

#include "host/PSPlistListController.h"
#include "platform/PropertyList.h"

std::shared_ptr<SettingsListController> SettingsListController::init() {
    UIViewController::init();
    setTitle(kTitle);
    _entries = SettingsEntry::installedEntries();
    return self<SettingsListController>();
}

void SettingsListController::loadView() {
    _table = alloc<UITableView>()->initWithFrame_style(UIScreen::mainScreen()->bounds(), UITableViewStyle::Grouped);
    setView(_table);
    serveTable(*_table);
}

long SettingsListController::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long) {
    return static_cast<long>(_entries.size());
}

std::shared_ptr<UITableViewCell> SettingsListController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = std::dynamic_pointer_cast<SettingsEntryCell>(
        tableView->dequeueReusableCellWithIdentifier(SettingsEntryCell::kReuseIdentifier));
    if (!cell) cell = alloc<SettingsEntryCell>()->init();
    const SettingsEntry& entry = _entries.at(static_cast<std::size_t>(indexPath->row()));
    cell->textLabel()->setText(entry.label);
    cell->iconView()->setImage(UIImage::imageWithContentsOfFile(entry.iconPath()));
    return cell;
}

void SettingsListController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                               const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto row = static_cast<std::size_t>(indexPath->row());
    if (row < _entries.size()) openEntry(_entries[row]);
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
    if (!file->contains("items") || !file->at("items").isArray()) return {nullptr, "The page's \u201Citems\u201D is not a list."};
    // The entry's folder is its bundle: its child pages and pictures are there,
    // and its texts are keys of the folder's Localizable.strings.
    std::string folder = entry.pageFile.substr(0, entry.pageFile.rfind('/'));
    auto page = alloc<PSPlistListController>()->init();
    page->showPage(NSBundle::bundleWithPath(folder), "", *file);
    page->specifiers();
    return {page, {}};
}
