#include "catalog/VimbleCharManager.h"
#include "platform/UIAlertController.h"
#include "select/VimbleSelectController.h"
#include "tests/select/SelectionDriver.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string> listOfSection(long section) {
    auto catalog = VimbleCharManager::sharedInstance();
    switch (section) {
    case 0: return catalog->peopleEmoji();
    case 1: return catalog->natureEmoji();
    case 2: return catalog->foodAndDrinkEmoji();
    case 3: return catalog->activityEmoji();
    case 4: return catalog->travelAndPlacesEmoji();
    case 5: return catalog->objectsEmoji();
    case 6: return catalog->symbolsEmoji();
    default: return catalog->flagsEmoji();
    }
}

std::vector<std::string> firstFlags(std::size_t count) {
    auto flags = VimbleCharManager::sharedInstance()->flagsEmoji();
    return {flags.begin(), flags.begin() + static_cast<std::ptrdiff_t>(count)};
}

std::vector<std::string> plus(std::vector<std::string> list, const std::string& emoji) {
    list.push_back(emoji);
    return list;
}

long rowOf(long section, const std::string& emoji) {
    auto list = listOfSection(section);
    return std::find(list.begin(), list.end(), emoji) - list.begin();
}

class EmojiSelectionTest : public ::testing::Test {
protected:
    std::string favoritesBytes() const { return device.readFile(TemporaryDevice::favoritesFile()); }
    std::shared_ptr<UIAlertController> alert(SelectionDriver& driver) const {
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
    auto table = session.topPageAs<VimbleSelectController>()->tableView();
    ASSERT_TRUE(session.tap("😀"));
    ASSERT_TRUE(session.tap("😃"));
    EXPECT_EQ(favoritesAsJson(), asJson({"😀", "😃"}));
    EXPECT_EQ(markOfRow(*table, 0, 0) + " " + markOfRow(*table, 0, 1) + " " + markOfRow(*table, 0, 4), "222 111 222");
    EXPECT_FALSE(table->indexPathForSelectedRow()) << "no row stays highlighted";

    ASSERT_TRUE(session.tap("Close"));
    ASSERT_TRUE(session.tap("Select Emoji"));
    auto reopened = session.topPageAs<VimbleSelectController>()->tableView();
    ASSERT_NE(reopened, table);
    EXPECT_EQ(markOfRow(*reopened, 0, 0) + " " + markOfRow(*reopened, 0, 1) + " " + markOfRow(*reopened, 0, 4),
              "222 111 222");
}

struct LimitCase {
    std::size_t favoritesBefore;
    bool refused;
    friend void PrintTo(const LimitCase& limit, std::ostream* out) { *out << limit.favoritesBefore << " favourites"; }
};

class FavoritesLimitTest : public EmojiSelectionTest, public ::testing::WithParamInterface<LimitCase> {};

// Only exactly 25 refuses: a longer list from another program takes more.
TEST_P(FavoritesLimitTest, AlertOnlyAtExactlyTwentyFive) {
    const auto [before, refused] = GetParam();
    writeFavorites(firstFlags(before));
    SelectionDriver driver;
    std::string bytesBefore = favoritesBytes();
    ASSERT_TRUE(driver.tapRow(0, 0));
    if (!refused) {
        EXPECT_FALSE(alert(driver));
        EXPECT_EQ(favoritesAsJson(), asJson(plus(firstFlags(before), "😀")));
        EXPECT_EQ(driver.markOf(0, 0), "222");
        return;
    }
    auto shown = alert(driver);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->title(), "Vimble");
    EXPECT_EQ(shown->message(), "Limit Reached, Please deselect an emoji");
    EXPECT_EQ(shown->preferredStyle(), UIAlertControllerStyle::Alert);
    ASSERT_EQ(shown->actions().size(), 1u);
    EXPECT_EQ(shown->actions()[0]->title(), "Okay");
    EXPECT_EQ(shown->actions()[0]->style(), UIAlertActionStyle::Destructive);
    EXPECT_FALSE(shown->actions()[0]->handler());
    EXPECT_EQ(favoritesBytes(), bytesBefore);
    EXPECT_EQ(driver.markOf(0, 0), "111");

    ASSERT_TRUE(driver.session().tap("Okay"));
    EXPECT_FALSE(driver.page()->presentedViewController());
    EXPECT_EQ(favoritesBytes(), bytesBefore);
    EXPECT_EQ(VimbleCharManager::sharedInstance()->emoji()->size(), 25u);
    EXPECT_EQ(driver.markOf(0, 0), "111");
}

INSTANTIATE_TEST_SUITE_P(Counts, FavoritesLimitTest,
                         ::testing::Values(LimitCase{0, false}, LimitCase{24, false}, LimitCase{25, true},
                                           LimitCase{26, false}, LimitCase{40, false}),
                         [](const auto& test) { return std::to_string(test.param.favoritesBefore); });

TEST_F(EmojiSelectionTest, AtTheLimitUnchoosingOneMakesRoomAgain) {
    writeFavorites(firstFlags(24));
    SelectionDriver driver;
    ASSERT_TRUE(driver.tapRow(0, 0));
    ASSERT_TRUE(driver.tapRow(0, 1));
    ASSERT_TRUE(alert(driver));
    ASSERT_TRUE(driver.session().tap("Okay"));

    ASSERT_TRUE(driver.tapRow(0, 0));
    EXPECT_EQ(favoritesAsJson(), asJson(firstFlags(24)));
    ASSERT_TRUE(driver.tapRow(0, 1));
    EXPECT_FALSE(alert(driver));
    EXPECT_EQ(favoritesAsJson(), asJson(plus(firstFlags(24), "😬")));
    EXPECT_EQ(driver.markOf(0, 0) + " " + driver.markOf(0, 1), "111 222");
}

TEST_F(EmojiSelectionTest, UnchoosingRemovesEveryEqualEntryAndKeepsTheOrderOfTheRest) {
    writeFavorites({"😀", "😬", "🐶", "😬", "😁"});
    SelectionDriver driver;
    EXPECT_EQ(driver.markOf(0, 1), "222");
    ASSERT_TRUE(driver.tapRow(0, 1));
    EXPECT_EQ(favoritesAsJson(), asJson({"😀", "🐶", "😁"}));
    EXPECT_EQ(driver.markOf(0, 1), "111");
}

// The first emoji of a list that stands in it twice: its two rows.
std::pair<long, long> firstRepeat(const std::vector<std::string>& list) {
    for (auto entry = list.begin(); entry != list.end(); ++entry) {
        auto later = std::find(entry + 1, list.end(), *entry);
        if (later != list.end()) return {entry - list.begin(), later - list.begin()};
    }
    return {-1, -1};
}

class RepeatedEmojiTest : public EmojiSelectionTest, public ::testing::WithParamInterface<long> {};

// The two rows of a repeated emoji: both marked when built from the file,
// and a row built before the other was chosen appends the emoji again.
TEST_P(RepeatedEmojiTest, BothRowsAreMarkedAndEitherCanAppendIt) {
    const long section = GetParam();
    auto [first, second] = firstRepeat(listOfSection(section));
    ASSERT_GE(first, 0) << "the section repeats an emoji";
    const std::string emoji = listOfSection(section)[first];
    SelectionDriver driver;
    ASSERT_TRUE(driver.showRow(section, first));
    ASSERT_TRUE(driver.tapShownRow(section, first));
    EXPECT_EQ(driver.markOf(section, second), "111") << "built before the emoji was chosen";
    ASSERT_TRUE(driver.tapShownRow(section, second));
    EXPECT_EQ(favoritesAsJson(), asJson({emoji, emoji}));

    driver.table()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0));
    driver.session().window()->layoutIfNeeded();
    ASSERT_TRUE(driver.showRow(section, first));
    EXPECT_EQ(driver.markOf(section, first) + " " + driver.markOf(section, second), "222 222");

    ASSERT_TRUE(driver.tapShownRow(section, second));
    EXPECT_EQ(favoritesAsJson(), "[]");
    EXPECT_EQ(driver.markOf(section, first) + " " + driver.markOf(section, second), "222 111")
        << "only the tapped row changes until the other is built again";
}

INSTANTIATE_TEST_SUITE_P(NatureAndObjects, RepeatedEmojiTest, ::testing::Values(1L, 5L),
                         [](const auto& test) { return test.param == 1 ? "Nature" : "Objects"; });

struct FormCase {
    const char* stored;
    long section;
    const char* shown;
    const char* mark;
    friend void PrintTo(const FormCase& form, std::ostream* out) { *out << form.stored << " stored"; }
};

class VariationSelectorTest : public EmojiSelectionTest, public ::testing::WithParamInterface<FormCase> {};

// With or without U+FE0F an emoji is another text: only the exact form marks.
TEST_P(VariationSelectorTest, OnlyTheExactFormMarksTheRow) {
    const auto& form = GetParam();
    writeFavorites({form.stored});
    SelectionDriver driver;
    long row = rowOf(form.section, form.shown);
    ASSERT_TRUE(driver.showRow(form.section, row));
    EXPECT_EQ(driver.markOf(form.section, row), form.mark);
}

INSTANTIATE_TEST_SUITE_P(Forms, VariationSelectorTest,
                         ::testing::Values(FormCase{"\u263A\uFE0F", 0, "\u263A\uFE0F", "222"},
                                           FormCase{"\u263A", 0, "\u263A\uFE0F", "111"},
                                           FormCase{"\u2618", 1, "\u2618", "222"},
                                           FormCase{"\u2618\uFE0F", 1, "\u2618", "111"},
                                           FormCase{"#\uFE0F\u20E3", 6, "#\uFE0F\u20E3", "222"},
                                           FormCase{"#\u20E3", 6, "#\uFE0F\u20E3", "111"}));

TEST_F(EmojiSelectionTest, RecycledCellTakesTheMarkOfItsNewRow) {
    auto people = listOfSection(0);
    writeFavorites({people[0], people[20]});
    SelectionDriver driver;
    auto chosenCell = driver.showRow(0, 0);
    ASSERT_EQ(driver.markOf(0, 0), "222");
    auto unchosenCell = driver.showRow(0, 5);
    ASSERT_EQ(driver.markOf(0, 5), "111");

    ASSERT_TRUE(driver.session().scroll(driver.table()->frame().height()));
    auto chosenNow = driver.table()->indexPathForCell(chosenCell.get());
    auto unchosenNow = driver.table()->indexPathForCell(unchosenCell.get());
    ASSERT_TRUE(chosenNow && unchosenNow) << "both cells came back through the reuse queue";
    EXPECT_NE(chosenCell->textLabel()->text(), people[0]);
    std::string expectedForUnchosenCell = unchosenCell->textLabel()->text() == people[20] ? "222" : "111";
    EXPECT_EQ(driver.markOf(chosenNow->section(), chosenNow->row()), "111");
    EXPECT_EQ(driver.markOf(unchosenNow->section(), unchosenNow->row()), expectedForUnchosenCell);
    EXPECT_EQ(driver.markOf(0, 20), "222") << "the chosen emoji further down is marked when built";
}

// Taps work on the list as the last row build read it; rows built after
// another program changed the file show the file.
TEST_F(EmojiSelectionTest, RowBuildsFollowTheFileWhileTapsUseTheListAsLastRead) {
    SelectionDriver driver;
    writeFavorites(firstFlags(25));
    ASSERT_TRUE(driver.tapRow(0, 0));
    EXPECT_FALSE(alert(driver)) << "the list in memory held none";
    EXPECT_EQ(favoritesAsJson(), asJson({"😀"}));

    writeFavorites({"😬"});
    driver.table()->reloadData();
    EXPECT_EQ(driver.markOf(0, 0) + " " + driver.markOf(0, 1), "111 222");
}

std::size_t codePoints(const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char byte) { return (byte & 0xC0) != 0x80; });
}

// The entries whose bytes are easiest to get wrong: every one of more than one
// code point (presentation selectors, joiner sequences, keycaps), a spread of
// the flags, which all share one shape, and each section's ends.
bool worthWriting(long section, long row, const std::vector<std::string>& list) {
    constexpr long kFlagsSection = 7;
    bool atAnEnd = row == 0 || row + 1 == static_cast<long>(list.size());
    if (section == kFlagsSection) return atAnEnd || row % 10 == 0;
    return atAnEnd || codePoints(list[row]) > 1;
}

// The emoji go into the file with exactly their catalog bytes. The file
// starts with more than 25 entries of another program, so that no limit
// stops the taps and one read checks them all.
TEST_F(EmojiSelectionTest, EmojiAreWrittenAsTheirCatalogText) {
    std::vector<std::string> expected;
    for (int index = 0; index < 26; ++index) expected.push_back("other " + std::to_string(index));
    writeFavorites(expected);
    SelectionDriver driver;
    std::size_t joined = 0;
    for (long section = 0; section < 8; ++section) {
        auto list = listOfSection(section);
        for (long row = 0; row < static_cast<long>(list.size()); ++row) {
            if (!worthWriting(section, row, list)) continue;
            ASSERT_TRUE(driver.showRow(section, row)) << section << "." << row;
            // The second row of a repeated emoji may already show it chosen.
            if (driver.markOf(section, row) == "222") continue;
            ASSERT_TRUE(driver.tapShownRow(section, row)) << section << "." << row;
            expected.push_back(list[row]);
            joined += list[row].find("\u200D") != std::string::npos;
        }
    }
    EXPECT_EQ(joined, 19u) << "every joiner sequence was written";
    EXPECT_EQ(favoritesAsJson(), asJson(expected));
}

} // namespace
