// The settings file as a user's disk may hold it, through the root and the
// configure page: whatever it holds, both pages open, draw every row and take
// a flip, say nothing, and show what the file's "Enabled" and "Skintone"
// amount to.
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PageStates.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const std::string kSettingsFile = VimbleFiles::settingsFilePath();
// Both keys away from their defaults, so a page that read the file would show it.
const Value kAwayFromDefaults = Value::dictionary({{"Enabled", false}, {"Skintone", true}});

const std::string kRootRows = "Enable|Configure|The Creators|Need Help";
const std::string kConfigureRows = "Select Emoji|Set Default Skin Tone";

// What the root page shows, every row it draws, and what it shows after
// "Enable" is flipped: "on shown / rows / off hidden".
std::string rootPageStory() {
    PanelSession session;
    std::string story = PageStates::root(session) + " / " + PageStates::titles(TableSweep::drawEveryRow(session));
    if (!session.tapSwitch("Enable")) return story + " / no switch";
    return story + " / " + PageStates::root(session);
}

std::string configurePageStory() {
    PanelSession session("VimbleConfigureController");
    std::string story = PageStates::skintoneSwitch(session) + " / " + PageStates::titles(TableSweep::drawEveryRow(session));
    if (!session.tapSwitch("Set Default Skin Tone")) return story + " / no switch";
    return story + " / " + PageStates::skintoneSwitch(session);
}

class UnreadableSettingsFile : public ::testing::TestWithParam<HostileFile> {
protected:
    void SetUp() override { GetParam().place(device, kSettingsFile); }
    TemporaryDevice device;
};

TEST_P(UnreadableSettingsFile, RootPageShowsEnableOnAndItsFlipWritesOnlyEnabled) {
    PanelOutput output;
    std::string story = rootPageStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, "on shown / " + kRootRows + " / off hidden");
    EXPECT_EQ(readWithPlistlib(device.hostPath(kSettingsFile)), R"({"Enabled": false})");
}

TEST_P(UnreadableSettingsFile, ConfigurePageShowsSkintoneOffAndItsFlipWritesOnlySkintone) {
    PanelOutput output;
    std::string story = configurePageStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, "off / " + kConfigureRows + " / on");
    EXPECT_EQ(readWithPlistlib(device.hostPath(kSettingsFile)), R"({"Skintone": true})");
}

INSTANTIATE_TEST_SUITE_P(Hostile, UnreadableSettingsFile, ::testing::ValuesIn(filesReadAsNone(kAwayFromDefaults)),
                         HostileFileName());

class ReadableSettingsFile : public UnreadableSettingsFile {};

TEST_P(ReadableSettingsFile, PagesShowWhatItHolds) {
    PanelOutput output;
    std::string root = rootPageStory();
    std::string configure = configurePageStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(root, "off hidden / Enable|The Creators|Need Help / on shown");
    EXPECT_EQ(configure, "on / " + kConfigureRows + " / off");
}

INSTANTIATE_TEST_SUITE_P(Accepted, ReadableSettingsFile, ::testing::ValuesIn(filesReadAsContent(kAwayFromDefaults)),
                         HostileFileName());

// A stored value of any kind, and what both switches show for it. The host
// shows a value as Foundation's boolValue reads it: texts by their first
// letter or digit, numbers by being non-zero, and any other object as on.
struct StoredValue {
    std::string name;
    Value value;
    bool shownOn;
};

void PrintTo(const StoredValue& stored, std::ostream* out) { *out << stored.name; }

std::vector<StoredValue> storedValues() {
    return {
        {"BooleanTrue", Value(true), true},
        {"BooleanFalse", Value(false), false},
        {"TextNO", Value("NO"), false},
        {"TextYES", Value("YES"), true},
        {"TextZero", Value("0"), false},
        {"TextOneAfterSpace", Value(" 1"), true},
        {"TextEmpty", Value(""), false},
        {"IntegerZero", Value(0), false},
        {"IntegerSeven", Value(7), true},
        {"IntegerMinusOne", Value(-1), true},
        {"RealHalf", Value(0.5), true},
        {"RealZero", Value(0.0), false},
        {"RealNotANumber", Value(std::numeric_limits<double>::quiet_NaN()), true},
        {"Dictionary", Value::dictionary({{"Enabled", false}}), true},
        {"EmptyArray", Value::array(), true},
        {"Date", Value(Date{}), true},
        {"Data", Value(Data{{0}}), true},
    };
}

class StoredSettingsValue : public ::testing::TestWithParam<StoredValue> {
protected:
    TemporaryDevice device;
};

TEST_P(StoredSettingsValue, BothSwitchesShowItAndAFlipStoresABoolean) {
    const Value& stored = GetParam().value;
    ASSERT_TRUE(PropertyList::write(Value::dictionary({{"Enabled", stored}, {"Skintone", stored}}), kSettingsFile));
    PanelOutput output;
    std::string root = rootPageStory();
    std::string configure = configurePageStory();
    EXPECT_EQ(output.finish(), "");
    bool on = GetParam().shownOn;
    EXPECT_EQ(root, on ? "on shown / " + kRootRows + " / off hidden"
                       : "off hidden / Enable|The Creators|Need Help / on shown");
    EXPECT_EQ(configure, on ? "on / " + kConfigureRows + " / off" : "off / " + kConfigureRows + " / on");
    EXPECT_EQ(Value(PropertyList::readDictionary(kSettingsFile)), Value::dictionary({{"Enabled", !on}, {"Skintone", !on}}));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, StoredSettingsValue, ::testing::ValuesIn(storedValues()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace
