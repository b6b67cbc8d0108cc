#include "platform/NSIndexPath.h"

std::shared_ptr<NSIndexPath> NSIndexPath::indexPathForRow_inSection(long row, long section) {
    auto indexPath = alloc<NSIndexPath>();
    indexPath->_row = row;
    indexPath->_section = section;
    return indexPath;
}
