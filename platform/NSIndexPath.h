#pragma once

#include "platform/NSObject.h"

#include <compare>
#include <memory>

// A row of a table: its section and its row within the section.
class NSIndexPath : public NSObject {
public:
    OBJC_CLASS_NAME(NSIndexPath)

    static std::shared_ptr<NSIndexPath> indexPathForRow_inSection(long row, long section);

    long section() const { return _section; }
    long row() const { return _row; }

    bool isEqual(const NSIndexPath& other) const { return _section == other._section && _row == other._row; }
    std::strong_ordering compare(const NSIndexPath& other) const {
        if (auto order = _section <=> other._section; order != 0) return order;
        return _row <=> other._row;
    }

private:
    long _section = 0;
    long _row = 0;
};
