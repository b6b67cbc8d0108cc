// The settings files as a user's disk may hold them. Every page reads its
// file through one reader, so the damaged, disguised and oversized forms are
// put to the reader once; each page's own tests show what it makes of no file.
#include "catalog/VimbleCharManager.h"
#include "platform/PropertyList.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"
#include "support/TableSweep.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/support/Marks.h"

#include <gtest/gtest.h>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
const char* const kFavoritesFile = "/var/mobile/Library/Preferences/com.korvent.vimble.plist";

TEST(HostileFilesTest, DamagedDisguisedAndOversizedFormsReadAsNone) {
    for (const auto& file : filesReadAsNone()) {
        TemporaryDevice device;
        file.place(device.hostPath(kSettingsFile));
        EXPECT_FALSE(PropertyList::readDictionary(kSettingsFile)) << file.name;
    }
}

TEST(HostileFilesTest, OtherFormsOfAGoodFileReadAsItsContent) {
    for (const auto& file : filesReadAsContent()) {
        TemporaryDevice device;
        file.place(device.hostPath(kSettingsFile));
        EXPECT_EQ(PropertyList::read(kSettingsFile), Value::dictionary({{"Enabled", false}, {"Skintone", true}})) << file.name;
    }
}

// Elements are taken as the file holds them: what is not text matches no
// row and is written back untouched after a tap, whatever the count.
TEST(HostileFilesTest, FavoritesOfAnyKindAndCountSurviveATap) {
    TemporaryDevice device;
    ValueArray elements{Value(7), Value(true), Value::dictionary({{"emoji", "😀"}}), Value::array({Value("😀")}),
                        Value(Data{{0xF0, 0x9F}}), Value(Date{}), Value(2.5)};
    while (elements.size() < 10'000) elements.push_back(Value("not an emoji " + std::to_string(elements.size())));
    elements.push_back(Value("😬"));
    ASSERT_TRUE(PropertyList::write(Value::array(elements), kFavoritesFile));
    PanelOutput output;
    PanelSession select("VimbleSelectController");
    auto table = TableSweep::pageTable(select);
    auto mark = [&](long row) { return markOf(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0))); };
    EXPECT_EQ(mark(0) + " " + mark(1), "111 222");
    ASSERT_TRUE(select.tap("😀"));
    EXPECT_EQ(output.finish(), "");
    elements.push_back(Value("😀"));
    EXPECT_EQ(Value(PropertyList::readArray(kFavoritesFile)), Value::array(elements));
}

} // namespace
