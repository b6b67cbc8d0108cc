#include "platform/UITableViewGeometry.h"

#include "platform/TextMetrics.h"
#include "platform/UITableView.h"

#include <algorithm>

namespace {

constexpr CGFloat kPlainHeaderHeight = 28;
constexpr CGFloat kGroupedTitleHeaderHeight = 38;
constexpr CGFloat kGroupedFirstHeaderHeight = 35;
constexpr CGFloat kGroupedSpacing = 18;
constexpr CGFloat kFooterPadding = 14;
constexpr double kFooterFontSize = 13; // as UITableViewHeaderFooterView draws it

} // namespace

CGFloat UITableViewGeometry::measure(const std::shared_ptr<UITableView>& table) {
    _sections.clear();
    auto source = table->dataSource();
    long count = source ? source->numberOfSectionsInTableView(table) : 0;
    CGFloat top = 0;
    for (long section = 0; section < count; ++section) {
        _sections.push_back(measureSection(*table, section, top));
        top = _sections.back().bottom;
    }
    if (table->style() == UITableViewStyle::Grouped && count > 0) top += kGroupedSpacing;
    return top;
}

const UITableViewGeometry::Section* UITableViewGeometry::section(long section) const {
    if (section < 0 || section >= numberOfSections()) return nullptr;
    return &_sections[static_cast<std::size_t>(section)];
}

long UITableViewGeometry::numberOfRowsInSection(long index) const {
    const auto* geometry = section(index);
    return geometry ? static_cast<long>(geometry->rowTops.size()) : 0;
}

// Index paths are made only for the rows that show: a long section has
// hundreds of rows off screen, and every scroll step asks again.
std::vector<std::shared_ptr<NSIndexPath>> UITableViewGeometry::rowsIn(const CGRect& visible, CGFloat rowWidth) const {
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (long section = 0; section < numberOfSections(); ++section) {
        const auto& geometry = _sections[static_cast<std::size_t>(section)];
        if (geometry.bottom <= visible.minY() || geometry.top >= visible.maxY()) continue;
        for (long row = 0; row < static_cast<long>(geometry.rowTops.size()); ++row) {
            CGRect rowRect = CGRectMake(0, geometry.rowTops[row], rowWidth, geometry.rowHeights[row]);
            if (rowRect.intersects(visible)) rows.push_back(NSIndexPath::indexPathForRow_inSection(row, section));
        }
    }
    return rows;
}

UITableViewGeometry::Section UITableViewGeometry::measureSection(UITableView& table, long section, CGFloat top) {
    auto self = table.self<UITableView>();
    auto source = table.dataSource();
    auto handler = table.delegate();
    Section geometry;
    geometry.top = top;
    geometry.headerTitle = source->tableView_titleForHeaderInSection(self, section);
    geometry.headerHeight = headerHeight(table, section, geometry.headerTitle);
    CGFloat y = top + geometry.headerHeight;
    long rows = std::max(0L, source->tableView_numberOfRowsInSection(self, section));
    geometry.rowTops.reserve(rows);
    geometry.rowHeights.reserve(rows);
    for (long row = 0; row < rows; ++row) {
        std::optional<CGFloat> height;
        auto indexPath = NSIndexPath::indexPathForRow_inSection(row, section);
        if (handler) height = handler->tableView_heightForRowAtIndexPath(self, indexPath);
        geometry.rowTops.push_back(y);
        geometry.rowHeights.push_back(height.value_or(table.rowHeight()));
        y += geometry.rowHeights.back();
    }
    geometry.footerTop = y;
    geometry.footerTitle = source->tableView_titleForFooterInSection(self, section);
    geometry.footerHeight = footerHeight(table, section, geometry.footerTitle);
    geometry.bottom = y + geometry.footerHeight;
    return geometry;
}

CGFloat UITableViewGeometry::headerHeight(UITableView& table, long section, const std::optional<std::string>& title) {
    if (auto handler = table.delegate()) {
        if (auto height = handler->tableView_heightForHeaderInSection(table.self<UITableView>(), section)) return *height;
    }
    if (table.style() == UITableViewStyle::Plain) return title ? kPlainHeaderHeight : 0;
    if (title) return kGroupedTitleHeaderHeight;
    return section == 0 ? kGroupedFirstHeaderHeight : kGroupedSpacing;
}

CGFloat UITableViewGeometry::footerHeight(UITableView& table, long section, const std::optional<std::string>& title) {
    if (auto handler = table.delegate()) {
        if (auto height = handler->tableView_heightForFooterInSection(table.self<UITableView>(), section)) return *height;
    }
    if (title) {
        CGFloat textWidth = table.frame().width() - 2 * UITableViewCell::kMargin;
        return TextMetrics::sizeOfText(*title, {kFooterFontSize, false}, textWidth, 0).height + kFooterPadding;
    }
    return table.style() == UITableViewStyle::Plain ? 0 : kGroupedSpacing;
}
