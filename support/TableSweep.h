#pragma once

#include "platform/UITableView.h"
#include "support/PanelSession.h"

#include <memory>
#include <string>
#include <vector>

// A row as it was drawn: its place, its title and the tag of its accessory
// view (0 without one).
struct DrawnRow {
    long section = 0;
    long row = 0;
    std::string text;
    long accessoryTag = 0;
};

// Brings every row of a page's table on screen once, from the top to the
// end, by scrolling through the window as a finger does; rows are drawn only
// while on screen, so this is what makes a page build each of its cells.
class TableSweep {
public:
    // The first table in the top page's views, depth first: the page's own.
    static std::shared_ptr<UITableView> pageTable(const PanelSession& session);
    // The first table found inside `view`, `view` itself included.
    static std::shared_ptr<UITableView> firstTableIn(const std::shared_ptr<UIView>& view);

    // Every row of the top page's table, each once, in table order.
    static std::vector<DrawnRow> drawEveryRow(PanelSession& session);
    // The rows of `table` on screen now.
    static std::vector<DrawnRow> visibleRows(const UITableView& table);
};
