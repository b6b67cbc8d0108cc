#include "platform/UITableView.h"

#include "platform/RunLoop.h"
#include "platform/TextMetrics.h"
#include "platform/UITableViewHeaderFooterView.h"
#include "platform/UITableViewIndex.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr CGFloat kPlainHeaderHeight = 28;
constexpr CGFloat kGroupedTitleHeaderHeight = 38;
constexpr CGFloat kGroupedFirstHeaderHeight = 35;
constexpr CGFloat kGroupedSpacing = 18;
constexpr CGFloat kFooterPadding = 14;
constexpr double kFooterFontSize = 13; // as UITableViewHeaderFooterView draws it

} // namespace

std::shared_ptr<UITableView> UITableView::initWithFrame_style(const CGRect& frame, UITableViewStyle style) {
    initWithFrame(frame);
    _style = style;
    setBackgroundColor(style == UITableViewStyle::Grouped ? UIColor::groupTableViewBackgroundColor()
                                                          : UIColor::whiteColor());
    return self<UITableView>();
}

void UITableView::setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource) {
    _dataSource = dataSource;
    invalidateGeometry();
    recycleAllCells();
    removeSupplementaryViews();
}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate) {
    _delegate = delegate;
    invalidateGeometry();
}

void UITableView::setRowHeight(CGFloat height) {
    _rowHeight = height;
    invalidateGeometry();
}

void UITableView::setFrame(const CGRect& frame) {
    if (frame.size.width != this->frame().size.width) invalidateGeometry();
    UIScrollView::setFrame(frame);
    setNeedsLayout();
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier) {
    auto queue = _reuseQueues.find(identifier);
    if (queue == _reuseQueues.end() || queue->second.empty()) return nullptr;
    auto cell = queue->second.back();
    queue->second.pop_back();
    return cell;
}

std::shared_ptr<UITableViewCell> UITableView::cellForRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) const {
    if (!indexPath) return nullptr;
    auto found = _visibleCells.find({indexPath->section(), indexPath->row()});
    return found == _visibleCells.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const {
    std::vector<std::shared_ptr<UITableViewCell>> cells;
    for (const auto& [key, cell] : _visibleCells) cells.push_back(cell);
    return cells;
}

std::shared_ptr<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const {
    for (const auto& [key, visible] : _visibleCells) {
        if (visible.get() == cell) return NSIndexPath::indexPathForRow_inSection(key.second, key.first);
    }
    return nullptr;
}

long UITableView::numberOfSections() {
    computeGeometryIfNeeded();
    return static_cast<long>(_sections.size());
}

long UITableView::numberOfRowsInSection(long section) {
    computeGeometryIfNeeded();
    if (section < 0 || section >= static_cast<long>(_sections.size())) return 0;
    return static_cast<long>(_sections[section].rowTops.size());
}

CGRect UITableView::rectForRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    if (indexPath->row() >= numberOfRowsInSection(indexPath->section()) || indexPath->row() < 0) return CGRectZero;
    const auto& section = _sections[indexPath->section()];
    CGFloat width = frame().width() - (_indexView ? kIndexWidth : 0);
    return CGRectMake(0, section.rowTops[indexPath->row()], width, section.rowHeights[indexPath->row()]);
}

CGRect UITableView::rectForSection(long section) {
    if (section < 0 || section >= numberOfSections()) return CGRectZero;
    const auto& geometry = _sections[section];
    return CGRectMake(0, geometry.top, frame().width(), geometry.bottom - geometry.top);
}

void UITableView::invalidateGeometry() {
    _geometryValid = false;
    setNeedsLayout();
}

void UITableView::computeGeometryIfNeeded() {
    if (_geometryValid) return;
    _geometryValid = true;
    _sections.clear();
    auto source = dataSource();
    long count = source ? source->numberOfSectionsInTableView(self<UITableView>()) : 0;
    CGFloat top = 0;
    for (long section = 0; section < count; ++section) {
        _sections.push_back(measureSection(section, top));
        top = _sections.back().bottom;
    }
    if (_style == UITableViewStyle::Grouped && count > 0) top += kGroupedSpacing;
    setContentSize(CGSizeMake(frame().width(), top));
}

UITableView::SectionGeometry UITableView::measureSection(long section, CGFloat top) {
    auto table = self<UITableView>();
    auto source = dataSource();
    auto handler = delegate();
    SectionGeometry geometry;
    geometry.top = top;
    geometry.headerTitle = source->tableView_titleForHeaderInSection(table, section);
    geometry.headerHeight = headerHeight(section, geometry.headerTitle);
    CGFloat y = top + geometry.headerHeight;
    long rows = std::max(0L, source->tableView_numberOfRowsInSection(table, section));
    geometry.rowTops.reserve(rows);
    geometry.rowHeights.reserve(rows);
    for (long row = 0; row < rows; ++row) {
        std::optional<CGFloat> height;
        if (handler) height = handler->tableView_heightForRowAtIndexPath(table, NSIndexPath::indexPathForRow_inSection(row, section));
        geometry.rowTops.push_back(y);
        geometry.rowHeights.push_back(height.value_or(_rowHeight));
        y += geometry.rowHeights.back();
    }
    geometry.footerTop = y;
    geometry.footerTitle = source->tableView_titleForFooterInSection(table, section);
    geometry.footerHeight = footerHeight(section, geometry.footerTitle);
    geometry.bottom = y + geometry.footerHeight;
    return geometry;
}

CGFloat UITableView::headerHeight(long section, const std::optional<std::string>& title) {
    if (auto handler = delegate()) {
        if (auto height = handler->tableView_heightForHeaderInSection(self<UITableView>(), section)) return *height;
    }
    if (_style == UITableViewStyle::Plain) return title ? kPlainHeaderHeight : 0;
    if (title) return kGroupedTitleHeaderHeight;
    return section == 0 ? kGroupedFirstHeaderHeight : kGroupedSpacing;
}

CGFloat UITableView::footerHeight(long section, const std::optional<std::string>& title) {
    if (auto handler = delegate()) {
        if (auto height = handler->tableView_heightForFooterInSection(self<UITableView>(), section)) return *height;
    }
    if (title) {
        CGFloat textWidth = frame().width() - 2 * UITableViewCell::kMargin;
        return TextMetrics::sizeOfText(*title, {kFooterFontSize, false}, textWidth, 0).height + kFooterPadding;
    }
    return _style == UITableViewStyle::Plain ? 0 : kGroupedSpacing;
}

void UITableView::recycleCell(const std::shared_ptr<UITableViewCell>& cell) {
    cell->removeFromSuperview();
    cell->prepareForReuse();
    _reuseQueues[cell->reuseIdentifier()].push_back(cell);
}

void UITableView::recycleAllCells() {
    for (auto& [key, cell] : _visibleCells) recycleCell(cell);
    _visibleCells.clear();
}

void UITableView::removeSupplementaryViews() {
    for (auto& [key, view] : _visibleSupplementaryViews) view->removeFromSuperview();
    _visibleSupplementaryViews.clear();
}

void UITableView::reloadData() {
    invalidateGeometry();
    recycleAllCells();
    removeSupplementaryViews();
    if (_indexView) _indexView->removeFromSuperview();
    _indexView = nullptr;
    _selectedRow = nullptr;
    layoutIfNeeded();
}

void UITableView::recordRowChange(bool inserted, const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                                  UITableViewRowAnimation animation) {
    RowChange change{inserted, {}, animation, RunLoop::main().now()};
    for (const auto& indexPath : indexPaths) change.rows.emplace_back(indexPath->section(), indexPath->row());
    _lastRowChange = change;
}

// As the phone's table does, the rows that stay keep their cells, moved to
// their new places, and only the new rows are asked for: insertion index
// paths name the rows after the change.
void UITableView::insertRowsAtIndexPaths_withRowAnimation(const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                                                          UITableViewRowAnimation animation) {
    recordRowChange(/*inserted=*/true, indexPaths, animation);
    auto inserted = rowsBySection(indexPaths);
    renumberVisibleRows([&inserted](RowKey key) -> std::optional<RowKey> {
        auto section = inserted.find(key.first);
        if (section == inserted.end()) return key;
        for (long row : section->second) key.second += row <= key.second ? 1 : 0;
        return key;
    });
    invalidateGeometry();
    layoutIfNeeded();
}

// Deletion index paths name the rows before the change; their cells go back
// to the reuse queues.
void UITableView::deleteRowsAtIndexPaths_withRowAnimation(const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                                                          UITableViewRowAnimation animation) {
    recordRowChange(/*inserted=*/false, indexPaths, animation);
    auto deleted = rowsBySection(indexPaths);
    renumberVisibleRows([&deleted](RowKey key) -> std::optional<RowKey> {
        auto section = deleted.find(key.first);
        if (section == deleted.end()) return key;
        const auto& rows = section->second;
        if (std::binary_search(rows.begin(), rows.end(), key.second)) return std::nullopt;
        key.second -= std::lower_bound(rows.begin(), rows.end(), key.second) - rows.begin();
        return key;
    });
    invalidateGeometry();
    layoutIfNeeded();
}

std::map<long, std::vector<long>> UITableView::rowsBySection(
    const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths) {
    std::map<long, std::vector<long>> rows;
    for (const auto& indexPath : indexPaths) {
        if (indexPath) rows[indexPath->section()].push_back(indexPath->row());
    }
    for (auto& [section, sectionRows] : rows) std::sort(sectionRows.begin(), sectionRows.end());
    return rows;
}

void UITableView::renumberVisibleRows(const std::function<std::optional<RowKey>(RowKey)>& renumber) {
    std::map<RowKey, std::shared_ptr<UITableViewCell>> renumbered;
    for (auto& [key, cell] : _visibleCells) {
        if (auto moved = renumber(key)) {
            renumbered[*moved] = cell;
            continue;
        }
        recycleCell(cell);
    }
    _visibleCells = std::move(renumbered);
    if (!_selectedRow) return;
    auto selected = renumber({_selectedRow->section(), _selectedRow->row()});
    _selectedRow = selected ? NSIndexPath::indexPathForRow_inSection(selected->second, selected->first) : nullptr;
}

void UITableView::selectRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    if (auto previous = cellForRowAtIndexPath(_selectedRow)) previous->setSelected_animated(/*selected=*/false, /*animated=*/false);
    _selectedRow = indexPath;
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected_animated(/*selected=*/true, /*animated=*/false);
}

void UITableView::deselectRowAtIndexPath_animated(const std::shared_ptr<NSIndexPath>& indexPath, bool animated) {
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected_animated(/*selected=*/false, animated);
    if (_selectedRow && indexPath && _selectedRow->isEqual(*indexPath)) _selectedRow = nullptr;
}

void UITableView::didTapCell(const std::shared_ptr<UITableViewCell>& cell) {
    auto indexPath = indexPathForCell(cell.get());
    if (!indexPath) return;
    selectRowAtIndexPath(indexPath);
    if (auto handler = delegate()) handler->tableView_didSelectRowAtIndexPath(self<UITableView>(), indexPath);
}

std::vector<std::string> UITableView::sectionIndexTitles() {
    auto source = dataSource();
    return source ? source->sectionIndexTitlesForTableView(self<UITableView>()) : std::vector<std::string>{};
}

void UITableView::scrollToSectionIndexTitleAtPosition(std::size_t position) {
    if (static_cast<long>(position) >= numberOfSections()) return;
    CGFloat top = _sections[position].top;
    setContentOffset(CGPointMake(0, std::min(top, maximumOffsetY())));
    layoutIfNeeded();
}

void UITableView::scrollToRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    CGRect row = rectForRowAtIndexPath(indexPath);
    setContentOffset(CGPointMake(0, std::min(row.minY(), maximumOffsetY())));
    layoutIfNeeded();
}

std::vector<std::shared_ptr<UIView>> UITableView::subviewsInReadingOrder() const {
    auto ordered = UIScrollView::subviewsInReadingOrder();
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const auto& view) { return !dynamic_cast<const UITableViewIndex*>(view.get()); });
    return ordered;
}

void UITableView::layoutSubviews() {
    computeGeometryIfNeeded();
    CGRect visible = bounds();
    layoutIndex();
    layoutSupplementaryViews(visible);
    layoutCells(visible);
    if (_indexView) addSubview(_indexView); // keep the index above the rows
}

// Rows that left the bounds give their cells back before new rows ask for
// one, so a scroll by a whole screen reuses every cell. Index paths are made
// only for the rows that show: every scroll step lays the table out again,
// and a long section has hundreds of rows off screen.
void UITableView::layoutCells(const CGRect& visible) {
    std::vector<std::shared_ptr<NSIndexPath>> wanted;
    CGFloat rowWidth = frame().width() - (_indexView ? kIndexWidth : 0);
    for (long section = 0; section < static_cast<long>(_sections.size()); ++section) {
        const auto& geometry = _sections[section];
        if (geometry.bottom <= visible.minY() || geometry.top >= visible.maxY()) continue;
        for (long row = 0; row < static_cast<long>(geometry.rowTops.size()); ++row) {
            CGRect rowRect = CGRectMake(0, geometry.rowTops[row], rowWidth, geometry.rowHeights[row]);
            if (rowRect.intersects(visible)) wanted.push_back(NSIndexPath::indexPathForRow_inSection(row, section));
        }
    }
    std::map<RowKey, std::shared_ptr<UITableViewCell>> kept;
    for (const auto& indexPath : wanted) {
        auto existing = _visibleCells.find({indexPath->section(), indexPath->row()});
        if (existing == _visibleCells.end()) continue;
        kept.insert(*existing);
        _visibleCells.erase(existing);
    }
    recycleAllCells();
    _visibleCells = std::move(kept);
    for (const auto& indexPath : wanted) placeCell(indexPath);
}

void UITableView::placeCell(const std::shared_ptr<NSIndexPath>& indexPath) {
    RowKey key{indexPath->section(), indexPath->row()};
    auto cell = _visibleCells[key];
    if (!cell) {
        cell = dataSource()->tableView_cellForRowAtIndexPath(self<UITableView>(), indexPath);
        ++_cellsProvided;
        if (!cell) {
            _visibleCells.erase(key);
            return;
        }
        _visibleCells[key] = cell;
        addSubview(cell);
    }
    cell->setFrame(rectForRowAtIndexPath(indexPath));
    cell->setSelected_animated(_selectedRow && _selectedRow->isEqual(*indexPath), /*animated=*/false);
}

void UITableView::layoutSupplementaryViews(const CGRect& visible) {
    std::map<std::pair<long, bool>, std::shared_ptr<UIView>> stillVisible;
    for (long section = 0; section < static_cast<long>(_sections.size()); ++section) {
        const auto& geometry = _sections[section];
        CGRect headerFrame = CGRectMake(0, geometry.top, frame().width(), geometry.headerHeight);
        CGRect footerFrame = CGRectMake(0, geometry.footerTop, frame().width(), geometry.footerHeight);
        for (auto [isHeader, viewFrame] : {std::pair{true, headerFrame}, std::pair{false, footerFrame}}) {
            if (viewFrame.height() <= 0 || !viewFrame.intersects(visible)) continue;
            auto key = std::pair{section, isHeader};
            auto existing = _visibleSupplementaryViews.find(key);
            std::shared_ptr<UIView> view = existing != _visibleSupplementaryViews.end()
                                               ? existing->second
                                               : supplementaryView(section, isHeader,
                                                                   isHeader ? geometry.headerTitle : geometry.footerTitle);
            if (!view) continue;
            if (view->superview().get() != this) insertSubview_atIndex(view, 0);
            view->setFrame(viewFrame);
            stillVisible[key] = view;
            _visibleSupplementaryViews.erase(key);
        }
    }
    for (auto& [key, view] : _visibleSupplementaryViews) view->removeFromSuperview();
    _visibleSupplementaryViews = std::move(stillVisible);
}

std::shared_ptr<UIView> UITableView::supplementaryView(long section, bool header,
                                                      const std::optional<std::string>& title) {
    auto table = self<UITableView>();
    if (auto handler = delegate()) {
        auto view = header ? handler->tableView_viewForHeaderInSection(table, section)
                           : handler->tableView_viewForFooterInSection(table, section);
        if (view) return view;
    }
    if (!title) return nullptr;
    using Kind = UITableViewHeaderFooterView::Kind;
    return alloc<UITableViewHeaderFooterView>()->initWithTitle(*title, header ? Kind::Header : Kind::Footer);
}

void UITableView::layoutIndex() {
    if (!_indexView) {
        auto titles = sectionIndexTitles();
        if (titles.empty()) return;
        std::weak_ptr<UITableView> weakTable = self<UITableView>();
        _indexView = alloc<UITableViewIndex>()->initWithTitles(titles, [weakTable](std::size_t position) {
            if (auto table = weakTable.lock()) table->scrollToSectionIndexTitleAtPosition(position);
        });
    }
    _indexView->setFrame(CGRectMake(frame().width() - kIndexWidth, contentOffset().y, kIndexWidth, frame().height()));
}
