#pragma once

#include "platform/CGGeometry.h"
#include "platform/NSIndexPath.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UITableView;

// Where each section of a table stands, top to bottom: its header, its rows
// and its footer, with the default metrics of the table's style wherever the
// delegate gives no height. Measured from the table's data source and
// delegate; a section or row outside it has no geometry.
class UITableViewGeometry {
public:
    struct Section {
        CGFloat top = 0;
        CGFloat headerHeight = 0;
        std::optional<std::string> headerTitle;
        std::vector<CGFloat> rowTops;
        std::vector<CGFloat> rowHeights;
        CGFloat footerTop = 0;
        CGFloat footerHeight = 0;
        std::optional<std::string> footerTitle;
        CGFloat bottom = 0;
    };

    // Measures every section afresh; the height of all of them.
    CGFloat measure(const std::shared_ptr<UITableView>& table);

    const std::vector<Section>& sections() const { return _sections; }
    long numberOfSections() const { return static_cast<long>(_sections.size()); }
    // nullptr outside the table.
    const Section* section(long section) const;
    long numberOfRowsInSection(long section) const;
    // The rows whose rectangle at `rowWidth` meets `visible`, top to bottom.
    std::vector<std::shared_ptr<NSIndexPath>> rowsIn(const CGRect& visible, CGFloat rowWidth) const;

private:
    static Section measureSection(UITableView& table, long section, CGFloat top);
    static CGFloat headerHeight(UITableView& table, long section, const std::optional<std::string>& title);
    static CGFloat footerHeight(UITableView& table, long section, const std::optional<std::string>& title);

    std::vector<Section> _sections;
};
