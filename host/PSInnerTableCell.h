#pragma once

#include "host/PSTableCell.h"
#include "platform/TableViewOwner.h"

#include <memory>

// A header or footer cell that carries a small plain table of its own and
// serves it: as wide as the screen is when the table is made (it does not
// follow a later rotation), a fixed height, no scrolling.
class PSInnerTableCell : public PSTableCell, public TableViewOwner {
public:
    const std::shared_ptr<UITableView>& tableView() const { return _tableView; }
    void setTableView(std::shared_ptr<UITableView> tableView) { _tableView = std::move(tableView); }

protected:
    // Makes the table, `height` points tall at the cell's top, and adds it.
    void installInnerTable(CGFloat height);

private:
    std::shared_ptr<UITableView> _tableView;
};
