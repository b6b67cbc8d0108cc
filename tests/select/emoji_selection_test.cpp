#include "catalog/VimbleCharManager.h"
#include "platform/UIAlertController.h"
#include "platform/UITableViewIndex.h"
#include "platform/ViewQuery.h"
#include "select/VimbleSelectController.h"
#include "support/TemporaryDevice.h"
#include "tests/select/SelectionDriver.h"
#include "tests/support/Marks.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const char* const kFavoritesFile = "/var/mobile/Library/Preferences/com.korvent.vimble.plist";
const std::vector<std::string> kFirstFlags{"🇦🇫", "🇦🇽", "🇦🇱", "🇩🇿", "🇦🇸", "🇦🇩", "🇦🇴", "🇦🇮", "🇦🇶",
                                           "🇦🇬", "🇦🇷", "🇦🇲", "🇦🇼", "🇦🇺", "🇦🇹", "🇦🇿", "🇧🇸", "🇧🇭",
                                           "🇧🇩", "🇧🇧", "🇧🇾", "🇧🇪", "🇧🇿", "🇧🇯", "🇧🇲", "🇧🇹"};

std::vector<std::string> flags(std::size_t count) { return {kFirstFlags.begin(), kFirstFlags.begin() + count}; }

class EmojiSelectionTest : public ::testing::Test {
protected:
    std::string favoritesBytes() const { return device.readFile(kFavoritesFile); }
    static std::shared_ptr<UIAlertController> alert(SelectionDriver& driver) {
        return std::dynamic_pointer_cast<UIAlertController>(driver.page()->presentedViewController());
    }

    TemporaryDevice device;
};

// From the root page to the file and back: the emoji is appended, the row
// marked, and a page opened later marks the rows from the file.
TEST_F(EmojiSelectionTest, ChoosingFromTheRootPageReachesTheFileAndSurvivesReopening) {
    PanelSession session;
    ASSERT_TRUE(session.tap("Configure"));
    ASSERT_TRUE(session.tap("Select Emoji"));
    auto page = session.topPageAs<VimbleSelectController>();
    ASSERT_TRUE(page && page->view() == page->tableView());
    EXPECT_EQ(page->title(), "Select Emoji's");
    EXPECT_EQ(page->tableView()->style(), UITableViewStyle::Grouped);
    EXPECT_EQ(page->tableView()->frame(), CGRectMake(0, 64, 375, 603));
    auto close = ViewQuery::findByText(session.window(), "Close");
    auto trash = ViewQuery::findByText(session.window(), "Trash");
    ASSERT_TRUE(close && trash);
    EXPECT_LT(ViewQuery::centerInWindow(*trash).x, ViewQuery::centerInWindow(*close).x);

    ASSERT_TRUE(session.tap("😀"));
    ASSERT_TRUE(session.tap("😃"));
    EXPECT_EQ(favoritesAsJson(), R"(["😀", "😃"])");
    auto mark = [&](long row) { return markOf(page->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0))); };
    EXPECT_EQ(mark(0) + " " + mark(1) + " " + mark(4), "222 111 222");
    EXPECT_FALSE(page->tableView()->indexPathForSelectedRow()) << "no row stays highlighted";

    ASSERT_TRUE(session.tap("Close"));
    EXPECT_EQ(session.topPage()->className(), std::string("VimbleConfigureController"));
    ASSERT_TRUE(session.tap("Select Emoji"));
    page = session.topPageAs<VimbleSelectController>();
    EXPECT_EQ(mark(0) + " " + mark(1) + " " + mark(4), "222 111 222");
    EXPECT_FALSE(device.exists("/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist"));
}

// Only exactly 25 refuses: a longer list from another program takes more.
TEST_F(EmojiSelectionTest, TheAlertStandsOnlyAtExactlyTwentyFive) {
    for (std::size_t before : {24u, 26u}) {
        writeFavorites(flags(before));
        SelectionDriver driver;
        ASSERT_TRUE(driver.tapRow(0, 0));
        EXPECT_FALSE(alert(driver)) << before;
        auto after = flags(before);
        after.push_back("😀");
        EXPECT_EQ(favoritesAsJson(), asJson(after));
    }
    writeFavorites(flags(25));
    SelectionDriver driver;
    std::string bytesBefore = favoritesBytes();
    ASSERT_TRUE(driver.tapRow(0, 0));
    auto shown = alert(driver);
    ASSERT_TRUE(shown);
    std::string described = shown->title() + "|" + shown->message() + "|" +
                            (shown->preferredStyle() == UIAlertControllerStyle::Alert ? "alert" : "sheet");
    for (const auto& action : shown->actions()) {
        described += "|" + action->title() + (action->style() == UIAlertActionStyle::Destructive ? " (destructive)" : "");
    }
    EXPECT_EQ(described, "Vimble|Limit Reached, Please deselect an emoji|alert|Okay (destructive)");
    ASSERT_TRUE(driver.session().tap("Okay"));
    EXPECT_FALSE(driver.page()->presentedViewController());
    EXPECT_EQ(favoritesBytes(), bytesBefore);
    EXPECT_EQ(driver.markOf(0, 0), "111");
}

// Taps work on the list as the last row build read it; removing takes out
// every equal entry and keeps the order of the rest.
TEST_F(EmojiSelectionTest, UnchoosingRemovesEveryEqualEntryOfTheListAsLastRead) {
    SelectionDriver driver;
    writeFavorites({"😀", "😬", "🐶", "😬", "😁"});
    ASSERT_TRUE(driver.tapRow(0, 3));
    EXPECT_EQ(favoritesAsJson(), R"(["😂"])") << "the list in memory held none";

    writeFavorites({"😀", "😬", "🐶", "😬", "😁"});
    driver.table()->reloadData();
    EXPECT_EQ(driver.markOf(0, 1), "222");
    ASSERT_TRUE(driver.tapRow(0, 1));
    EXPECT_EQ(favoritesAsJson(), R"(["😀", "🐶", "😁"])");
    EXPECT_EQ(driver.markOf(0, 1), "111");
}

// With or without U+FE0F an emoji is another text: only the exact form marks.
TEST_F(EmojiSelectionTest, OnlyTheExactFormOfAnEmojiMarksItsRow) {
    struct Form { const char* stored; long section, row; const char* mark; };
    const Form forms[] = {{"\u263A\uFE0F", 0, 13, "222"}, {"\u263A", 0, 13, "111"},
                          {"\u2618", 1, 80, "222"},        {"\u2618\uFE0F", 1, 80, "111"},
                          {"#\uFE0F\u20E3", 6, 176, "222"}, {"#\u20E3", 6, 176, "111"}};
    for (const auto& form : forms) {
        writeFavorites({form.stored});
        SelectionDriver driver;
        ASSERT_TRUE(driver.showRow(form.section, form.row));
        EXPECT_EQ(driver.markOf(form.section, form.row), form.mark) << form.stored;
    }
}

TEST_F(EmojiSelectionTest, EightSectionsWithTheirTitlesAndIndexLetters) {
    const std::vector<std::string> titles{"Smileys & People", "Animals & Nature", "Food And Drink", "Activity",
                                          "Travel And Places", "Objects", "Symbols", "Flags"};
    const std::vector<long> rows{200, 151, 67, 57, 115, 179, 268, 247};
    SelectionDriver driver;
    auto page = driver.page();
    auto table = driver.table();
    ASSERT_EQ(table->numberOfSections(), 8);
    for (long section = 0; section < 8; ++section) {
        EXPECT_EQ(page->tableView_titleForHeaderInSection(table, section), titles[section]);
        EXPECT_EQ(table->numberOfRowsInSection(section), rows[section]) << titles[section];
    }
    // Outside the eight, every section number reads as Flags.
    for (long section : {-1L, 8L}) {
        EXPECT_EQ(*page->tableView_titleForHeaderInSection(table, section) + " " +
                      std::to_string(page->tableView_numberOfRowsInSection(table, section)), "Flags 247") << section;
    }

    // The letters repeat, so only their position tells the sections apart.
    std::shared_ptr<UITableViewIndex> strip;
    for (const auto& subview : table->subviews()) {
        if (auto found = std::dynamic_pointer_cast<UITableViewIndex>(subview)) strip = found;
    }
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->titles(), (std::vector<std::string>{"S", "A", "F", "A", "T", "O", "S", "F"}));
    for (long position : {7L, 3L, 0L, 6L}) {
        ASSERT_TRUE(driver.session().tapPoint(ViewQuery::centerInWindow(*strip->subviews()[position])));
        EXPECT_EQ(table->contentOffset().y, table->rectForSection(position).minY()) << titles[position];
        EXPECT_TRUE(driver.session().shows(titles[position]));
    }
}

// Scrolling from the top to the bottom builds every row once, yet the table
// never holds more cells than fit on the screen, and a recycled cell shows
// the mark of its new row.
TEST_F(EmojiSelectionTest, CellsAreReusedAndEachTakesTheMarkOfItsNewRow) {
    writeFavorites({"😀", "🤓"});
    SelectionDriver driver;
    auto table = driver.table();
    std::set<std::shared_ptr<UITableViewCell>> distinctCells;
    std::set<std::pair<long, long>> rowsShown;
    std::string chosenShown;
    auto record = [&] {
        for (const auto& cell : table->visibleCells()) {
            distinctCells.insert(cell);
            auto indexPath = table->indexPathForCell(cell.get());
            if (rowsShown.insert({indexPath->section(), indexPath->row()}).second && markOf(cell) == "222") {
                chosenShown += cell->textLabel()->text();
            }
        }
    };
    record();
    while (driver.session().scroll(250)) record();

    EXPECT_EQ(rowsShown.size(), 1284u);
    EXPECT_EQ(table->cellsProvided(), 1284u) << "a row on screen is not built again";
    EXPECT_LE(distinctCells.size(), 16u);
    EXPECT_EQ(chosenShown, "😀🤓");
}

TEST_F(EmojiSelectionTest, TrashLeavesAnEmptyArrayAndEveryRowUnchosen) {
    writeFavorites({"😀", "😁", "🇿🇼"});
    SelectionDriver driver;
    EXPECT_EQ(driver.markOf(0, 0), "222");
    std::size_t built = driver.table()->cellsProvided();

    ASSERT_TRUE(driver.session().tap("Trash"));
    EXPECT_EQ(favoritesAsJson(), "[]");
    EXPECT_TRUE(VimbleCharManager::sharedInstance()->emoji()->empty());
    EXPECT_GT(driver.table()->cellsProvided(), built) << "the table was reloaded";
    EXPECT_EQ(driver.markOf(0, 0) + " " + driver.markOf(0, 2), "111 111");
    ASSERT_TRUE(driver.tapRow(0, 3));
    EXPECT_EQ(favoritesAsJson(), R"(["😂"])") << "the first tap after clearing adds";
}

// A reader hears every row as a toggle and the chosen ones as selected, as
// the marks show them, both when rows are built and when a tap changes one.
TEST_F(EmojiSelectionTest, RowsTellAReaderWhichEmojiAreChosen) {
    SelectionDriver driver;
    writeFavorites({"😬"});
    driver.table()->reloadData();
    auto heard = [&](long row) {
        UIAccessibilityTraits traits = driver.showRow(0, row)->accessibilityTraits();
        return std::string(traits & UIAccessibilityTraitToggleButton ? "toggle" : "-") +
               (traits & UIAccessibilityTraitSelected ? "+selected" : "");
    };
    EXPECT_EQ(heard(0) + " " + heard(1), "toggle toggle+selected");
    ASSERT_TRUE(driver.tapRow(0, 0));
    ASSERT_TRUE(driver.tapRow(0, 1));
    EXPECT_EQ(heard(0) + " " + heard(1), "toggle+selected toggle");
}

} // namespace
