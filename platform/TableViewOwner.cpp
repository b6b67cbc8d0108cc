#include "platform/TableViewOwner.h"

#include "platform/NSObject.h"

#include <cassert>

void TableViewOwner::serveTable(UITableView& table) {
    auto* object = dynamic_cast<NSObject*>(this);
    assert(object && "a table's owner must be a platform object");
    // Shares the ownership of the whole object, pointing at this part of it.
    std::shared_ptr<TableViewOwner> owner(object->shared_from_this(), this);
    table.setDataSource(owner);
    table.setDelegate(owner);
}
