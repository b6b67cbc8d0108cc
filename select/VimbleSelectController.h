#pragma once

#include "host/PSViewController.h"
#include "platform/TableViewOwner.h"
#include "platform/UITableView.h"
#include "shell/VimblePageAppearance.h"

#include <memory>

// The page on which the user picks up to 25 favourite emoji: one grouped
// table of eight sections, one per category of the catalog, one row per
// emoji. It is opened from the configure page's "Select Emoji" row.
//
// The page keeps nothing of its own. The favourites are the catalog's shared
// list, reloaded from the favourites file at every row build and written
// back whole after every change; the category lists are fetched from the
// catalog at every call.
class VimbleSelectController : public VimblePageAppearance<PSViewController>, public TableViewOwner {
public:
    OBJC_CLASS_NAME(VimbleSelectController)

    static constexpr std::size_t kFavoritesLimit = 25;
    static constexpr const char* kCellIdentifier = "VimbleCell";

    // Builds the bar buttons and the table at once; nullptr when the base refuses.
    std::shared_ptr<VimbleSelectController> init();

    // The trash button: clears every favourite, no questions asked.
    void purge();
    // The "Close" button: back to the configure page.
    void dismiss();

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    std::optional<std::string> tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                                 long section) override;
    std::vector<std::string> sectionIndexTitlesForTableView(const std::shared_ptr<UITableView>& tableView) override;
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

    const std::shared_ptr<UITableView>& tableView() const { return _tableView; }
    void setTableView(std::shared_ptr<UITableView> tableView) { _tableView = std::move(tableView); }

private:
    void installBarButtons();
    void installTable();
    void unchoose(const std::shared_ptr<UITableViewCell>& cell);
    void choose(const std::shared_ptr<UITableViewCell>& cell);
    void presentLimitAlert();

    std::shared_ptr<UITableView> _tableView;
};
