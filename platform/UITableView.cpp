#include "platform/UITableView.h"

#include "platform/RunLoop.h"
#include "platform/UITableViewIndex.h"

#include <algorithm>
#include <cmath>

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
    _sectionViews.removeAll();
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
    return _geometry.numberOfSections();
}

long UITableView::numberOfRowsInSection(long section) {
    computeGeometryIfNeeded();
    return _geometry.numberOfRowsInSection(section);
}

CGRect UITableView::rectForRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) {
    if (indexPath->row() >= numberOfRowsInSection(indexPath->section()) || indexPath->row() < 0) return CGRectZero;
    const auto& section = *_geometry.section(indexPath->section());
    return CGRectMake(0, section.rowTops[indexPath->row()], rowWidth(), section.rowHeights[indexPath->row()]);
}

CGRect UITableView::rectForSection(long section) {
    computeGeometryIfNeeded();
    const auto* geometry = _geometry.section(section);
    if (!geometry) return CGRectZero;
    return CGRectMake(0, geometry->top, frame().width(), geometry->bottom - geometry->top);
}

CGFloat UITableView::rowWidth() const { return frame().width() - (_indexView ? kIndexWidth : 0); }

void UITableView::invalidateGeometry() {
    _geometryValid = false;
    setNeedsLayout();
}

void UITableView::computeGeometryIfNeeded() {
    if (_geometryValid) return;
    _geometryValid = true;
    setContentSize(CGSizeMake(frame().width(), _geometry.measure(self<UITableView>())));
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

void UITableView::reloadData() {
    invalidateGeometry();
    recycleAllCells();
    _sectionViews.removeAll();
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
    CGFloat top = _geometry.section(static_cast<long>(position))->top;
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
    _sectionViews.layout(*this, _geometry, visible);
    layoutCells(visible);
    if (_indexView) addSubview(_indexView); // keep the index above the rows
}

// Rows that left the bounds give their cells back before new rows ask for
// one, so a scroll by a whole screen reuses every cell. Index paths are made
// only for the rows that show: every scroll step lays the table out again,
// and a long section has hundreds of rows off screen.
void UITableView::layoutCells(const CGRect& visible) {
    auto wanted = _geometry.rowsIn(visible, rowWidth());
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
