// The root page against a settings file that holds more than the panel
// wrote, and the Configure row coming and going as the phone's table does it.
#include "platform/PropertyList.h"
#include "shell/VimbleListController.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

class RootPageFidelityTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

// Over the old 1 MiB limit, with values the phone's Foundation reads and
// some readers refuse: nothing of them is lost when "Enable" flips.
TEST_F(RootPageFidelityTest, ALargeFileWithEveryKindKeepsEveryOtherKeyWhenEnableFlips) {
    ValueDictionary stored{{"Enabled", true},
                           {"Skintone", true},
                           {"Largest", Value(std::uint64_t{18446744073709551615u})},
                           {"Bell", "ring\x07"},
                           {"Padding", std::string(2 * 1024 * 1024, 'p')}};
    ASSERT_TRUE(PropertyList::write(Value::dictionary(stored), TemporaryDevice::settingsFile()));
    PanelSession session;
    EXPECT_TRUE(session.shows("Configure"));

    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_FALSE(session.shows("Configure"));
    stored["Enabled"] = false;
    EXPECT_EQ(PropertyList::read(TemporaryDevice::settingsFile()), Value::dictionary(stored));
}

// Each visible row of the root page: its title, then "=" when it is the very
// cell it was before the flip, "+" when it is new.
std::string rowsAfter(PanelSession& session, const std::function<void()>& flip) {
    auto table = session.topPageAs<VimbleListController>()->table();
    std::map<std::string, std::shared_ptr<UITableViewCell>> before;
    for (const auto& cell : table->visibleCells()) before[cell->textLabel()->text()] = cell;
    std::size_t provided = table->cellsProvided();
    flip();
    std::string rows;
    for (long section = 0; section < table->numberOfSections(); ++section) {
        for (long row = 0; row < table->numberOfRowsInSection(section); ++row) {
            auto cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, section));
            if (!cell) continue;
            rows += cell->textLabel()->text() + (before[cell->textLabel()->text()] == cell ? "= " : "+ ");
        }
    }
    return rows + "asked " + std::to_string(table->cellsProvided() - provided);
}

TEST_F(RootPageFidelityTest, ConfigureComesAndGoesWhileTheOtherRowsKeepTheirCells) {
    ASSERT_TRUE(PropertyList::write(Value::dictionary({{"Enabled", false}}), TemporaryDevice::settingsFile()));
    PanelSession session;
    EXPECT_EQ(rowsAfter(session, [&] { ASSERT_TRUE(session.tapSwitch("Enable")); }),
              "Enable= Configure+ The Creators= Need Help= asked 1");
    EXPECT_EQ(rowsAfter(session, [&] { ASSERT_TRUE(session.tapSwitch("Enable")); }),
              "Enable= The Creators= Need Help= asked 0");
}

} // namespace
