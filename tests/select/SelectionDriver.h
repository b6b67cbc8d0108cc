#pragma once

#include "platform/UITableView.h"
#include "select/VimbleSelectController.h"
#include "tests/support/PanelSession.h"

#include <memory>
#include <string>
#include <vector>

// "222" or "111" from the accessory's tag of the row's cell on screen, "none"
// without a cell or mark, and "mixed" when the picture does not go with the tag.
std::string markOfRow(const UITableView& table, long section, long row);

// The emoji selection page opened on its own, as the host would show it, with
// ways to reach and tap any of its rows as a finger would.
class SelectionDriver {
public:
    SelectionDriver();

    PanelSession& session() { return _session; }
    std::shared_ptr<VimbleSelectController> page() const;
    std::shared_ptr<UITableView> table() const;

    // The cell on screen for the row; the table is scrolled to bring the row
    // to the top first when it is not wholly in view.
    std::shared_ptr<UITableViewCell> showRow(long section, long row);
    // Taps the middle of the row's cell as shown now; false without a cell.
    bool tapShownRow(long section, long row);
    // Shows the row, then taps it.
    bool tapRow(long section, long row);

    std::string markOf(long section, long row) const { return markOfRow(*table(), section, row); }

private:
    PanelSession _session;
};

// The favourites file written as another program would; read back with
// Python's plistlib as JSON; and a list of texts in that JSON form.
void writeFavorites(const std::vector<std::string>& emoji);
std::string favoritesAsJson();
std::string asJson(const std::vector<std::string>& emoji);
