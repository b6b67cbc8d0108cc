// The settings files as a user's disk may hold them. Every page reads its
// file through one reader, so the damaged, disguised and oversized forms are
// put to the reader once; then each page is shown one such file and must take
// it as no file at all, say nothing, and write only its own keys on a tap.
#include "catalog/VimbleCharManager.h"
#include "platform/PropertyList.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"
#include "support/TableSweep.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/support/IndependentReaders.h"
#include "tests/support/Marks.h"

#include <gtest/gtest.h>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
const char* const kSkintoneFile = "/var/mobile/Library/Preferences/com.korvent.vimblest.plist";
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

std::string jsonOf(const TemporaryDevice& device, const char* file) { return readWithPlistlib(device.hostPath(file)); }

// A file cut in half where each page's file belongs, holding values away from
// the defaults: each page shows the defaults, draws every row, takes a tap,
// says nothing and writes its own keys alone.
TEST(HostileFilesTest, EveryPageTakesADamagedFileAsNoFileAndSaysNothing) {
    auto cutInHalf = [](const Value& content) {
        std::string xml = PropertyList::xmlData(content);
        return xml.substr(0, xml.size() / 2);
    };
    TemporaryDevice device;
    const std::string settings = cutInHalf(Value::dictionary({{"Enabled", false}, {"Skintone", true}}));
    const std::string tone = cutInHalf(Value::dictionary({{"ST", "3"}, {"Other", 1}}));
    const std::string favorites = cutInHalf(Value::array({Value("😀"), Value("🇫🇷")}));
    PanelOutput output;

    device.writeFile(kSettingsFile, settings);
    {
        PanelSession root;
        EXPECT_EQ(TableSweep::drawEveryRow(root).size(), 4u);
        EXPECT_TRUE(root.switchOfRow("Enable")->isOn());
        ASSERT_TRUE(root.tapSwitch("Enable"));
        EXPECT_EQ(jsonOf(device, kSettingsFile), R"({"Enabled": false})");
    }
    device.writeFile(kSettingsFile, settings);
    device.writeFile(kSkintoneFile, tone);
    {
        PanelSession configure("VimbleConfigureController");
        EXPECT_FALSE(configure.switchOfRow("Set Default Skin Tone")->isOn());
        ASSERT_TRUE(configure.tapSwitch("Set Default Skin Tone"));
        EXPECT_EQ(jsonOf(device, kSettingsFile), R"({"Skintone": true})");
        auto toneFour = ViewQuery::findByText(configure.window(), "👦🏾 👧🏾 👨🏾 👩🏾 ");
        ASSERT_TRUE(toneFour);
        ASSERT_TRUE(configure.tapPoint(ViewQuery::centerInWindow(*toneFour)));
        EXPECT_EQ(jsonOf(device, kSkintoneFile), R"({"ST": "4", "shouldUpdateSkintone": true})");
    }
    device.writeFile(kFavoritesFile, favorites);
    {
        PanelSession select("VimbleSelectController");
        std::string chosen;
        for (const auto& row : TableSweep::drawEveryRow(select)) {
            if (row.accessoryTag == 222) chosen += row.text;
        }
        EXPECT_EQ(chosen, "");
        select.scroll(-TableSweep::pageTable(select)->contentSize().height);
        ASSERT_TRUE(select.tap("😬"));
        EXPECT_EQ(jsonOf(device, kFavoritesFile), R"(["😬"])");
    }
    EXPECT_EQ(output.finish(), "");
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
