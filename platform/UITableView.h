#pragma once

#include "platform/NSIndexPath.h"
#include "platform/UILabel.h"
#include "platform/UIScrollView.h"
#include "platform/UITableViewCell.h"
#include "platform/UITableViewGeometry.h"
#include "platform/UITableViewSectionViews.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class UITableView;

enum class UITableViewStyle { Plain = 0, Grouped = 1 };
enum class UITableViewRowAnimation { Fade = 0, Right = 1, Left = 2, Top = 3, Bottom = 4, None = 5, Middle = 6, Automatic = 100 };

// What a table asks of the object that supplies its rows.
class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual long numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) { return 1; }
    virtual long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) = 0;
    virtual std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) = 0;
    virtual std::optional<std::string> tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>&, long) {
        return std::nullopt;
    }
    virtual std::optional<std::string> tableView_titleForFooterInSection(const std::shared_ptr<UITableView>&, long) {
        return std::nullopt;
    }
    // How the footer title lines up; Preferences answers it from the group's record.
    virtual NSTextAlignment tableView_titleAlignmentForFooterInSection(const std::shared_ptr<UITableView>&, long) {
        return NSTextAlignment::Left;
    }
    virtual std::vector<std::string> sectionIndexTitlesForTableView(const std::shared_ptr<UITableView>&) { return {}; }
};

// What a table tells, and asks of, the object that handles its rows.
class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;
    virtual void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                   const std::shared_ptr<NSIndexPath>&) {}
    virtual std::optional<CGFloat> tableView_heightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                     const std::shared_ptr<NSIndexPath>&) {
        return std::nullopt;
    }
    virtual std::shared_ptr<UIView> tableView_viewForHeaderInSection(const std::shared_ptr<UITableView>&, long) {
        return nullptr;
    }
    virtual std::optional<CGFloat> tableView_heightForHeaderInSection(const std::shared_ptr<UITableView>&, long) {
        return std::nullopt;
    }
    virtual std::shared_ptr<UIView> tableView_viewForFooterInSection(const std::shared_ptr<UITableView>&, long) {
        return nullptr;
    }
    virtual std::optional<CGFloat> tableView_heightForFooterInSection(const std::shared_ptr<UITableView>&, long) {
        return std::nullopt;
    }
};

// A list of rows in sections, laid out with the phone's default metrics.
// Only rows inside the bounds have cells; a row that scrolls out gives its
// cell back to the reuse queue of its identifier, where the data source picks
// it up again through dequeueReusableCellWithIdentifier.
class UITableView : public UIScrollView {
public:
    OBJC_CLASS_NAME(UITableView)
    const char* viewKind() const override { return "table"; }
    // Rows, headers and footers top to bottom; the section index last.
    std::vector<std::shared_ptr<UIView>> subviewsInReadingOrder() const override;

    static constexpr CGFloat kDefaultRowHeight = 44;
    static constexpr CGFloat kIndexWidth = 16;

    std::shared_ptr<UITableView> initWithFrame_style(const CGRect& frame, UITableViewStyle style);

    UITableViewStyle style() const { return _style; }

    // Both held weakly: the owner of the table usually is its delegate.
    void setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource);
    void setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate);
    std::shared_ptr<UITableViewDataSource> dataSource() const { return _dataSource.lock(); }
    std::shared_ptr<UITableViewDelegate> delegate() const { return _delegate.lock(); }

    CGFloat rowHeight() const { return _rowHeight; }
    void setRowHeight(CGFloat height);
    bool allowsMultipleSelectionDuringEditing() const { return _allowsMultipleSelectionDuringEditing; }
    void setAllowsMultipleSelectionDuringEditing(bool allows) { _allowsMultipleSelectionDuringEditing = allows; }

    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier);
    // The cell on screen for the row, or nullptr when the row has none.
    std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) const;
    std::vector<std::shared_ptr<UITableViewCell>> visibleCells() const;
    std::shared_ptr<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;

    long numberOfSections();
    long numberOfRowsInSection(long section);
    CGRect rectForRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath);
    CGRect rectForSection(long section);

    // Every visible cell is asked for again.
    void reloadData();
    // The cells of the rows that stay are kept; only new rows are asked for.
    void insertRowsAtIndexPaths_withRowAnimation(const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                                                 UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths_withRowAnimation(const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                                                 UITableViewRowAnimation animation);
    // The last insertion or removal of rows, for a renderer to play.
    struct RowChange {
        bool inserted = false;
        std::vector<std::pair<long, long>> rows; // section, row
        UITableViewRowAnimation animation = UITableViewRowAnimation::None;
        double time = 0;
    };
    const std::optional<RowChange>& lastRowChange() const { return _lastRowChange; }

    std::shared_ptr<NSIndexPath> indexPathForSelectedRow() const { return _selectedRow; }
    void selectRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath);
    void deselectRowAtIndexPath_animated(const std::shared_ptr<NSIndexPath>& indexPath, bool animated);

    // The index at the trailing edge: its titles, and a jump to the section at
    // the same position as the title.
    std::vector<std::string> sectionIndexTitles();
    void scrollToSectionIndexTitleAtPosition(std::size_t position);
    void scrollToRowAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath);

    // Called by a cell when a tap ends on it.
    void didTapCell(const std::shared_ptr<UITableViewCell>& cell);

    // How many cells the table has made through its data source so far.
    std::size_t cellsProvided() const { return _cellsProvided; }

    void setFrame(const CGRect& frame) override;
    void layoutSubviews() override;

private:
    using RowKey = std::pair<long, long>;

    void computeGeometryIfNeeded();
    // Rows leave the index's strip free.
    CGFloat rowWidth() const;
    void invalidateGeometry();
    void recycleCell(const std::shared_ptr<UITableViewCell>& cell);
    void recycleAllCells();
    static std::map<long, std::vector<long>> rowsBySection(const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths);
    // Moves each visible cell (and the selection) to the row `renumber` gives,
    // recycling those it gives none.
    void renumberVisibleRows(const std::function<std::optional<RowKey>(RowKey)>& renumber);
    void layoutCells(const CGRect& visible);
    void placeCell(const std::shared_ptr<NSIndexPath>& indexPath);
    void layoutIndex();
    void recordRowChange(bool inserted, const std::vector<std::shared_ptr<NSIndexPath>>& indexPaths,
                         UITableViewRowAnimation animation);

    UITableViewStyle _style = UITableViewStyle::Plain;
    std::weak_ptr<UITableViewDataSource> _dataSource;
    std::weak_ptr<UITableViewDelegate> _delegate;
    CGFloat _rowHeight = kDefaultRowHeight;
    bool _allowsMultipleSelectionDuringEditing = false;
    bool _geometryValid = false;
    UITableViewGeometry _geometry;
    std::map<RowKey, std::shared_ptr<UITableViewCell>> _visibleCells;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>> _reuseQueues;
    UITableViewSectionViews _sectionViews;
    std::shared_ptr<UIView> _indexView;
    std::shared_ptr<NSIndexPath> _selectedRow;
    std::optional<RowChange> _lastRowChange;
    std::size_t _cellsProvided = 0;
};
