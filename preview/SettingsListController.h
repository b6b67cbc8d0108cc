#pragma once

#include "platform/TableViewOwner.h"
#include "platform/UITableView.h"
#include "platform/UIViewController.h"
#include "preview/BundleLoader.h"
#include "preview/InstalledApp.h"
#include "preview/SettingsEntry.h"

#include <vector>

// The Settings app's first page: one row per installed entry, then, in a
// group of their own, one row per installed app. Tapping an entry's row loads
// its bundle and pushes the bundle's root page (or the page of the entry's own
// items); an app's row pushes the page of its Settings.bundle. What cannot be
// opened pushes an error page that says what failed.
class SettingsListController : public UIViewController, public TableViewOwner {
public:
    OBJC_CLASS_NAME(SettingsListController)

    static constexpr const char* kTitle = "Settings";

    std::shared_ptr<SettingsListController> init();

    const std::shared_ptr<UITableView>& table() const { return _table; }
    const std::vector<SettingsEntry>& entries() const { return _entries; }
    const std::vector<InstalledApp>& apps() const { return _apps; }

    void loadView() override;

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

    void openEntry(const SettingsEntry& entry);
    // The page an entry opens, or the error page saying why it does not open.
    std::shared_ptr<UIViewController> pageFor(const SettingsEntry& entry);

    // The entries and apps read again from the device and shown; the scroll position stays where rows remain.
    void reloadEntries();
    // The installed entry read from `file` (a device path), if there is one.
    const SettingsEntry* entryForFile(const std::string& file) const;
    // The entry file of the page last opened from this list.
    const std::string& openedEntryFile() const { return _openedEntryFile; }
    void openApp(const InstalledApp& app);

private:
    static BundleLoader::Loaded openPage(const SettingsEntry& entry);
    static BundleLoader::Loaded openBundle(const SettingsEntry& entry);

    std::shared_ptr<UITableView> _table;
    static constexpr long kEntriesSection = 0;
    static constexpr long kAppsSection = 1;

    std::vector<SettingsEntry> _entries;
    std::string _openedEntryFile;
    std::vector<InstalledApp> _apps;
};
