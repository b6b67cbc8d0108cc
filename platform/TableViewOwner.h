#pragma once

#include "platform/UITableView.h"

#include <memory>

// An object that owns a table and answers it itself, as its data source and
// its delegate, as a UITableViewController does: list pages, and cells that
// carry a small table of their own. The table holds both links weakly, so
// owning the table strongly makes no cycle.
//
// The owner must be a platform object (NSObject) living in a shared_ptr.
class TableViewOwner : public UITableViewDataSource, public UITableViewDelegate {
protected:
    // Makes this object the data source and the delegate of `table`.
    void serveTable(UITableView& table);
};
