#pragma once

#include "platform/TableViewOwner.h"
#include "platform/UITableView.h"
#include "platform/UIViewController.h"
#include "preview/BundleLoader.h"
#include "preview/SettingsEntry.h"

#include <vector>

// The Settings app's first page: one row per installed entry. Tapping a row
// loads its bundle and pushes the bundle's root page (or the page of the
// entry's own items), or an error page that says what failed.
class SettingsListController : public UIViewController, public TableViewOwner {
public:
    OBJC_CLASS_NAME(SettingsListController)

    static constexpr const char* kTitle = "Settings";

    std::shared_ptr<SettingsListController> init();

    const std::shared_ptr<UITableView>& table() const { return _table; }
    const std::vector<SettingsEntry>& entries() const { return _entries; }

    void loadView() override;

    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

    void openEntry(const SettingsEntry& entry);

private:
    static BundleLoader::Result openPage(const SettingsEntry& entry);

    std::shared_ptr<UITableView> _table;
    std::vector<SettingsEntry> _entries;
};
