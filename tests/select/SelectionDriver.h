#pragma once

#include "platform/UITableView.h"
#include "select/VimbleSelectController.h"
#include "support/PanelSession.h"

#include <memory>
#include <string>
#include <vector>

// The emoji selection page opened on its own, as the host would show it, with
// ways to reach and tap any of its rows as a finger would.
class SelectionDriver {
public:
    SelectionDriver() : _session("VimbleSelectController") {}

    PanelSession& session() { return _session; }
    std::shared_ptr<VimbleSelectController> page() const { return _session.topPageAs<VimbleSelectController>(); }
    std::shared_ptr<UITableView> table() const { return page()->tableView(); }

    // The cell on screen for the row, scrolled to the top first when it is not wholly in view.
    std::shared_ptr<UITableViewCell> showRow(long section, long row);
    // Taps the middle of the row's cell as shown now; false without a cell.
    bool tapShownRow(long section, long row);
    bool tapRow(long section, long row) { return showRow(section, row) && tapShownRow(section, row); }
    // "222", "111", "none" or "mixed" (see markOf).
    std::string markOf(long section, long row) const;

private:
    PanelSession _session;
};

// The favourites file written as another program would; read back with
// Python's plistlib as JSON; and a list of texts in that JSON form.
void writeFavorites(const std::vector<std::string>& emoji);
std::string favoritesAsJson();
std::string asJson(const std::vector<std::string>& emoji);
