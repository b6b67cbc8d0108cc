// Inserting or removing rows keeps the cells of the rows that stay, as the
// phone's table does: only new rows are asked of the data source.
#include "platform/UITableView.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

class LabelledRows : public NSObject, public UITableViewDataSource {
public:
    std::vector<std::string> labels;
    std::vector<std::string> asked;

    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long) override {
        return static_cast<long>(labels.size());
    }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                     const std::shared_ptr<NSIndexPath>& path) override {
        auto cell = table->dequeueReusableCellWithIdentifier("Row");
        if (!cell) cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, "Row");
        cell->textLabel()->setText(labels[path->row()]);
        asked.push_back(labels[path->row()]);
        return cell;
    }
};

class TableRowChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        rows->labels = {"A", "B", "C", "D"};
        table->setDataSource(rows);
        change([&] { table->layoutIfNeeded(); });
    }

    // Each row on screen, in order: its text, then "=" when it kept its cell
    // and stands where it should, "+" when it was asked for.
    std::string change(const std::function<void()>& make) {
        rows->asked.clear();
        make();
        std::string state;
        for (long row = 0; row < static_cast<long>(rows->labels.size()); ++row) {
            auto cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0));
            std::string text = cell ? cell->textLabel()->text() : "none";
            bool asked = std::find(rows->asked.begin(), rows->asked.end(), text) != rows->asked.end();
            bool kept = cell && cells[text] == cell && cell->frame().minY() == row * 44 &&
                        cell->superview() == table;
            state += text + (asked ? "+" : kept ? "=" : "?") + " ";
        }
        for (const auto& visible : table->visibleCells()) cells[visible->textLabel()->text()] = visible;
        return state + "asked " + std::to_string(rows->asked.size());
    }

    static std::vector<std::shared_ptr<NSIndexPath>> paths(std::initializer_list<long> rowNumbers) {
        std::vector<std::shared_ptr<NSIndexPath>> result;
        for (long row : rowNumbers) result.push_back(NSIndexPath::indexPathForRow_inSection(row, 0));
        return result;
    }

    TemporaryDevice device;
    std::shared_ptr<LabelledRows> rows = alloc<LabelledRows>();
    std::shared_ptr<UITableView> table =
        alloc<UITableView>()->initWithFrame_style(CGRectMake(0, 0, 320, 600), UITableViewStyle::Plain);
    std::map<std::string, std::shared_ptr<UITableViewCell>> cells;
};

TEST_F(TableRowChangesTest, RowsThatStayKeepTheirCellsAndOnlyNewRowsAreAskedFor) {
    EXPECT_EQ(change([&] {
                  rows->labels = {"A", "X", "B", "C", "Y", "D"};
                  table->insertRowsAtIndexPaths_withRowAnimation(paths({4, 1}), UITableViewRowAnimation::Fade);
              }),
              "A= X+ B= C= Y+ D= asked 2");
    EXPECT_EQ(change([&] {
                  rows->labels = {"A", "B", "D"};
                  table->deleteRowsAtIndexPaths_withRowAnimation(paths({3, 1, 4}), UITableViewRowAnimation::Fade);
              }),
              "A= B= D= asked 0");
    EXPECT_EQ(table->subviews().size(), 3u) << "the removed rows' cells left the table";
    EXPECT_EQ(change([&] {
                  rows->labels = {"Z", "A", "B", "D"};
                  table->insertRowsAtIndexPaths_withRowAnimation(paths({0}), UITableViewRowAnimation::None);
              }),
              "Z+ A= B= D= asked 1");
    EXPECT_EQ(change([&] { table->reloadData(); }), "Z+ A+ B+ D+ asked 4");
}

} // namespace
