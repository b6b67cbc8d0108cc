#include "catalog/VimbleCharManager.h"
#include "platform/UITableViewIndex.h"
#include "platform/ViewQuery.h"
#include "select/VimbleSelectController.h"
#include "tests/select/SelectionDriver.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

const std::vector<std::string> kHeaderTitles{"Smileys & People", "Animals & Nature", "Food And Drink", "Activity",
                                             "Travel And Places", "Objects", "Symbols", "Flags"};

std::shared_ptr<UITableViewIndex> indexStrip(const UITableView& table) {
    for (const auto& subview : table.subviews()) {
        if (auto strip = std::dynamic_pointer_cast<UITableViewIndex>(subview)) return strip;
    }
    return nullptr;
}

class SelectPageTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

// The table is the whole page below the bar; "Close" stands at the outer
// right edge with the trash can beside it.
TEST_F(SelectPageTest, PageIsItsGroupedTableUnderCloseAndTrash) {
    SelectionDriver driver;
    auto page = driver.page();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->title(), "Select Emoji's");
    EXPECT_EQ(page->view(), page->tableView());
    EXPECT_EQ(page->tableView()->style(), UITableViewStyle::Grouped);
    EXPECT_EQ(page->tableView()->frame(), CGRectMake(0, 64, 375, 603));
    auto close = ViewQuery::findByText(driver.session().window(), "Close");
    auto trash = ViewQuery::findByText(driver.session().window(), "Trash");
    ASSERT_TRUE(close && trash);
    EXPECT_LT(ViewQuery::centerInWindow(*trash).x, ViewQuery::centerInWindow(*close).x);
}

TEST_F(SelectPageTest, EightSectionsWithTheirTitlesAndOneRowPerCatalogEntry) {
    SelectionDriver driver;
    auto page = driver.page();
    auto table = driver.table();
    const std::vector<long> kRows{200, 151, 67, 57, 115, 179, 268, 247};
    ASSERT_EQ(table->numberOfSections(), 8);
    long total = 0;
    for (long section = 0; section < 8; ++section) {
        EXPECT_EQ(page->tableView_titleForHeaderInSection(table, section), kHeaderTitles[section]);
        EXPECT_EQ(table->numberOfRowsInSection(section), kRows[section]) << kHeaderTitles[section];
        total += table->numberOfRowsInSection(section);
    }
    EXPECT_EQ(total, 1284);
    // Outside the eight, every section number reads as Flags.
    for (long section : {-1L, 7L, 8L, 100L}) {
        EXPECT_EQ(page->tableView_titleForHeaderInSection(table, section), "Flags") << section;
        EXPECT_EQ(page->tableView_numberOfRowsInSection(table, section), 247) << section;
    }
    EXPECT_TRUE(driver.session().shows("Smileys & People"));
}

// The letters repeat, so only their position tells the sections apart.
TEST_F(SelectPageTest, EachIndexLetterLeadsToTheSectionAtItsPosition) {
    SelectionDriver driver;
    auto table = driver.table();
    auto strip = indexStrip(*table);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->titles(), (std::vector<std::string>{"S", "A", "F", "A", "T", "O", "S", "F"}));
    for (long position : {7L, 1L, 3L, 0L, 6L, 2L, 5L, 4L}) {
        auto letter = strip->subviews()[position];
        ASSERT_TRUE(driver.session().tapPoint(ViewQuery::centerInWindow(*letter)));
        EXPECT_EQ(table->contentOffset().y, table->rectForSection(position).minY()) << kHeaderTitles[position];
        EXPECT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, position)));
        EXPECT_TRUE(driver.session().shows(kHeaderTitles[position]));
        if (position > 0) {
            long last = table->numberOfRowsInSection(position - 1) - 1;
            EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(last, position - 1)));
        }
    }
}

// Scrolling from the top to the bottom builds every row once, yet the table
// never holds more cells than fit on the screen.
TEST_F(SelectPageTest, OnlyRowsOnScreenHaveCellsWhileEveryRowIsBuiltOnTheWayDown) {
    SelectionDriver driver;
    auto table = driver.table();
    std::set<std::shared_ptr<UITableViewCell>> distinctCells;
    std::set<std::pair<long, long>> rowsShown;
    std::size_t mostAtOnce = 0;
    auto record = [&] {
        auto visible = table->visibleCells();
        mostAtOnce = std::max(mostAtOnce, visible.size());
        for (const auto& cell : visible) {
            distinctCells.insert(cell);
            auto indexPath = table->indexPathForCell(cell.get());
            rowsShown.insert({indexPath->section(), indexPath->row()});
        }
    };
    record();
    while (driver.session().scroll(250)) record();

    auto rowsPerScreen = static_cast<std::size_t>(std::ceil(table->frame().height() / UITableView::kDefaultRowHeight));
    EXPECT_EQ(rowsShown.size(), 1284u);
    EXPECT_EQ(table->cellsProvided(), 1284u) << "a row on screen is not built again";
    EXPECT_LE(distinctCells.size(), rowsPerScreen + 2);
    EXPECT_LE(mostAtOnce, rowsPerScreen + 1);
    EXPECT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(246, 7)));
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0)));
}

TEST(SelectPageTrashTest, TrashLeavesAnEmptyArrayAndEveryRowUnchosen) {
    for (bool hadFavorites : {true, false}) {
        SCOPED_TRACE(hadFavorites ? "with favourites" : "without a file");
        TemporaryDevice device;
        if (hadFavorites) writeFavorites({"😀", "😁", "🇿🇼"});
        SelectionDriver driver;
        EXPECT_EQ(driver.markOf(0, 0), hadFavorites ? "222" : "111");
        std::size_t built = driver.table()->cellsProvided();

        ASSERT_TRUE(driver.session().tap("Trash"));
        EXPECT_TRUE(device.exists(TemporaryDevice::favoritesFile()));
        EXPECT_EQ(favoritesAsJson(), "[]");
        EXPECT_TRUE(VimbleCharManager::sharedInstance()->emoji()->empty());
        EXPECT_GT(driver.table()->cellsProvided(), built) << "the table was reloaded";
        for (const auto& cell : driver.table()->visibleCells()) {
            auto indexPath = driver.table()->indexPathForCell(cell.get());
            EXPECT_EQ(driver.markOf(indexPath->section(), indexPath->row()), "111") << cell->textLabel()->text();
        }
        ASSERT_TRUE(driver.tapRow(0, 3));
        EXPECT_EQ(favoritesAsJson(), asJson({VimbleCharManager::sharedInstance()->peopleEmoji()[3]}))
            << "the first tap after clearing adds";
    }
}

TEST_F(SelectPageTest, CloseGoesBackToTheConfigurePageAndWritesNothing) {
    PanelSession session;
    ASSERT_TRUE(session.tap("Configure"));
    ASSERT_TRUE(session.tap("Select Emoji"));
    ASSERT_TRUE(session.topPageAs<VimbleSelectController>());
    ASSERT_TRUE(session.tap("Close"));
    EXPECT_EQ(session.topPage()->className(), std::string("VimbleConfigureController"));
    EXPECT_EQ(session.navigation()->viewControllers().size(), 2u);
    EXPECT_FALSE(device.exists(TemporaryDevice::favoritesFile()));
    EXPECT_FALSE(device.exists(TemporaryDevice::settingsFile()));
}

} // namespace
