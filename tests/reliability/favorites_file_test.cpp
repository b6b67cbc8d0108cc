// The favourites file as a user's disk may hold it, through the emoji
// selection page: whatever it holds, the page draws all of its rows, takes a
// tap, says nothing, and marks exactly the rows whose emoji the file lists.
#include "catalog/VimbleCharManager.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PageStates.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

#include <gtest/gtest.h>

namespace {

const std::string kFavoritesFile = VimbleFiles::favoritesFilePath();
constexpr std::size_t kEveryRow = 1284;

std::string people(std::size_t index) { return VimbleCharManager::sharedInstance()->peopleEmoji().at(index); }
std::string flag(std::size_t index) { return VimbleCharManager::sharedInstance()->flagsEmoji().at(index); }

// "1284 rows, chosen: A B": every row drawn, and the titles of those marked chosen.
std::string describe(const std::vector<DrawnRow>& rows) {
    return std::to_string(rows.size()) + " rows, chosen:" + PageStates::chosen(rows);
}

// The page drawn whole, then a tap on the first row of "Smileys & People",
// then drawn whole again: "before / after".
std::string selectionStory() {
    PanelSession session("VimbleSelectController");
    std::string story = describe(TableSweep::drawEveryRow(session));
    session.scroll(-TableSweep::pageTable(session)->contentSize().height);
    if (!session.tap(people(0))) return story + " / no row to tap";
    return story + " / " + describe(TableSweep::drawEveryRow(session));
}

std::string everyRowChosen(const std::string& chosen) { return std::to_string(kEveryRow) + " rows, chosen:" + chosen; }

// Two favourites from either end of the page, so a page that read the file
// would mark them.
Value twoFavorites() { return Value::array({Value(people(1)), Value(flag(0))}); }

class UnreadableFavoritesFile : public ::testing::TestWithParam<HostileFile> {
protected:
    void SetUp() override { GetParam().place(device, kFavoritesFile); }
    TemporaryDevice device;
};

TEST_P(UnreadableFavoritesFile, NoRowIsChosenAndATapWritesTheTappedEmojiAlone) {
    PanelOutput output;
    std::string story = selectionStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, everyRowChosen("") + " / " + everyRowChosen(" " + people(0)));
    EXPECT_EQ(Value(PropertyList::readArray(kFavoritesFile)), Value::array({Value(people(0))}));
}

INSTANTIATE_TEST_SUITE_P(Hostile, UnreadableFavoritesFile, ::testing::ValuesIn(filesReadAsNone(twoFavorites())),
                         HostileFileName());

class ReadableFavoritesFile : public UnreadableFavoritesFile {};

TEST_P(ReadableFavoritesFile, TheListedRowsAreChosenAndATapAppends) {
    PanelOutput output;
    std::string story = selectionStory();
    EXPECT_EQ(output.finish(), "");
    std::string listed = " " + people(1) + " " + flag(0);
    EXPECT_EQ(story, everyRowChosen(listed) + " / " + everyRowChosen(" " + people(0) + listed));
    EXPECT_EQ(Value(PropertyList::readArray(kFavoritesFile)),
              Value::array({Value(people(1)), Value(flag(0)), Value(people(0))}));
}

INSTANTIATE_TEST_SUITE_P(Accepted, ReadableFavoritesFile, ::testing::ValuesIn(filesReadAsContent(twoFavorites())),
                         HostileFileName());

class FavoritesFileTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

// Elements are taken as the file holds them: what is not text matches no
// row and is written back untouched after the tap.
TEST_F(FavoritesFileTest, ElementsThatAreNotTextMarkNothingAndSurviveATap) {
    ValueArray elements{Value(7), Value(true), Value::dictionary({{"emoji", people(0)}}), Value::array({Value(people(0))}),
                        Value(Data{{0xF0, 0x9F}}), Value(Date{}), Value(people(1)), Value(2.5)};
    ASSERT_TRUE(PropertyList::write(Value::array(elements), kFavoritesFile));
    PanelOutput output;
    std::string story = selectionStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, everyRowChosen(" " + people(1)) + " / " + everyRowChosen(" " + people(0) + " " + people(1)));
    elements.push_back(Value(people(0)));
    EXPECT_EQ(Value(PropertyList::readArray(kFavoritesFile)), Value::array(elements));
}

// The limit is for exactly 25: thirty favourites from another program take
// a thirty-first without the alert.
TEST_F(FavoritesFileTest, ThirtyFavoritesTakeOneMoreWithoutTheAlert) {
    ValueArray thirty;
    std::string listed;
    for (std::size_t index = 1; index <= 30; ++index) {
        thirty.push_back(Value(people(index)));
        listed += " " + people(index);
    }
    ASSERT_TRUE(PropertyList::write(Value::array(thirty), kFavoritesFile));
    PanelOutput output;
    std::string story = selectionStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, everyRowChosen(listed) + " / " + everyRowChosen(" " + people(0) + listed));
    thirty.push_back(Value(people(0)));
    EXPECT_EQ(Value(PropertyList::readArray(kFavoritesFile)), Value::array(thirty));
}

// Ten thousand entries: every row still draws, the listed ones marked, and a
// tap appends the ten thousand and first. Each row drawn reads all of them,
// so the page is drawn whole once here.
TEST_F(FavoritesFileTest, TenThousandFavoritesDrawAndTakeATap) {
    constexpr std::size_t kTenThousand = 10'000;
    ValueArray many;
    for (std::size_t index = 0; many.size() < kTenThousand; ++index) {
        many.push_back(Value(index % 2 ? people(1) : "not an emoji " + std::to_string(index)));
    }
    ASSERT_TRUE(PropertyList::write(Value::array(many), kFavoritesFile));
    PanelOutput output;
    std::string story;
    {
        PanelSession session("VimbleSelectController");
        story = describe(TableSweep::drawEveryRow(session));
        session.scroll(-TableSweep::pageTable(session)->contentSize().height);
        story += session.tap(people(0)) ? " / tapped" : " / no row to tap";
        for (const auto& row : TableSweep::visibleRows(*TableSweep::pageTable(session))) {
            if (row.text == people(0)) story += " " + std::to_string(row.accessoryTag);
        }
    }
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, everyRowChosen(" " + people(1)) + " / tapped 222");
    auto written = PropertyList::readArray(kFavoritesFile);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), kTenThousand + 1);
    EXPECT_EQ(written->back(), Value(people(0)));
}

} // namespace
