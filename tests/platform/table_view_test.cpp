#include "platform/UITableView.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A table of numbered rows that counts what the table asks of it.
class NumberedRows : public NSObject, public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<long> rowsPerSection{100};
    std::vector<std::string> built;
    std::set<const UITableViewCell*> distinctCells;

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) override {
        return static_cast<long>(rowsPerSection.size());
    }
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long section) override {
        return rowsPerSection[section];
    }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                     const std::shared_ptr<NSIndexPath>& path) override {
        auto cell = table->dequeueReusableCellWithIdentifier("Row");
        if (!cell) cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, "Row");
        cell->textLabel()->setText(name(path));
        built.push_back(name(path));
        distinctCells.insert(cell.get());
        return cell;
    }
    std::optional<std::string> tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>&, long section) override {
        return "Section " + std::to_string(section);
    }
    static std::string name(const std::shared_ptr<NSIndexPath>& path) {
        return std::to_string(path->section()) + "." + std::to_string(path->row());
    }
};

class TableViewTest : public ::testing::Test {
protected:
    std::shared_ptr<UITableView> makeTable(UITableViewStyle style, CGFloat height) {
        auto table = alloc<UITableView>()->initWithFrame_style(CGRectMake(0, 0, 320, height), style);
        table->setDelegate(rows);
        table->setDataSource(rows);
        table->layoutIfNeeded();
        return table;
    }

    TemporaryDevice device;
    std::shared_ptr<NumberedRows> rows = std::make_shared<NumberedRows>();
};

TEST_F(TableViewTest, BuildsCellsOnlyForVisibleRowsAndReusesThem) {
    auto table = makeTable(UITableViewStyle::Plain, 440);
    // A plain table with a 28-point title header: rows 0..9 reach into the 440 points.
    EXPECT_EQ(rows->built.size(), 10u);
    EXPECT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(9, 0)));
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(10, 0)));

    while (table->scrollBy(440)) table->layoutIfNeeded();
    std::set<std::string> everyRow(rows->built.begin(), rows->built.end());
    EXPECT_EQ(everyRow.size(), 100u) << "every row was shown on the way down";
    EXPECT_LE(rows->distinctCells.size(), 12u) << "cells came back through the reuse queue";
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0)));
    EXPECT_EQ(table->contentOffset().y, table->contentSize().height - 440);
}

TEST_F(TableViewTest, LaysOutGroupedSectionsWithDefaultMetrics) {
    rows->rowsPerSection = {2, 1};
    auto table = makeTable(UITableViewStyle::Grouped, 600);
    // Titled headers of 38 points, 44-point rows, 18-point footers, 18 at the end.
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0)), CGRectMake(0, 38, 320, 44));
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(1, 0)), CGRectMake(0, 82, 320, 44));
    EXPECT_EQ(table->rectForSection(1), CGRectMake(0, 144, 320, 38 + 44 + 18));
    EXPECT_EQ(table->contentSize().height, 144 + 100 + 18);
}

// A title and its value share the row as their lengths ask: a short title
// leaves the room to a long value, a long title takes it from a short value.
TEST(TableViewCellTest, AValueRowSharesItsWidthByTheLengthsOfTitleAndValue) {
    struct Row {
        const char* title;
        const char* value;
        const char* wider; // "title" or "value": the label at least four times as wide as the other
    };
    const std::vector<Row> rows = {
        {"Pencil", "Tablet mode (try hiding cursor)", "value"},
        {"Standard-Wiedergabegeschwindigkeit", "1.00x", "title"},
    };
    for (const auto& row : rows) {
        auto cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Value1, "Value");
        cell->textLabel()->setText(row.title);
        cell->detailTextLabel()->setText(row.value);
        cell->setFrame(CGRectMake(0, 0, 375, 44));
        cell->layoutSubviews();
        CGRect title = cell->textLabel()->frame();
        CGRect value = cell->detailTextLabel()->frame();
        bool titleWider = std::string(row.wider) == "title";
        EXPECT_GT(titleWider ? title.width() : value.width(), 4 * (titleWider ? value.width() : title.width())) << row.title;
        EXPECT_LE(title.maxX(), value.minX()) << row.title;
        EXPECT_EQ(value.maxX(), 360) << "15 points from the edge";
    }
}

} // namespace
