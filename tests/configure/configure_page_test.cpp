#include "configure/VimbleConfigureController.h"
#include "configure/VimbleSkintoneCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/PropertyList.h"
#include "platform/UIDevice.h"
#include "platform/UIImageView.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"
#include "tests/support/Marks.h"
#include "tests/support/NotificationCounter.h"
#include "tests/support/SpecifierDescription.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
const char* const kSkintoneFile = "/var/mobile/Library/Preferences/com.korvent.vimblest.plist";

// The configure page opened on its own, as the host shows it, with its
// skin-tone picker where the host put it: the footer of "Skin Tones".
class ConfigurePageTest : public ::testing::Test {
protected:
    std::shared_ptr<VimbleConfigureController> page() const { return session().topPageAs<VimbleConfigureController>(); }
    std::shared_ptr<VimbleSkintoneCell> picker() const {
        session().window()->layoutIfNeeded();
        return std::dynamic_pointer_cast<VimbleSkintoneCell>(page()->tableView_viewForFooterInSection(page()->table(), 2));
    }
    std::shared_ptr<UITableViewCell> toneCell(long tone) const {
        return picker()->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(tone, 0));
    }
    std::string marks() const {
        std::string text;
        for (long tone = 0; tone < 6; ++tone) text += (tone ? " " : "") + markOf(toneCell(tone));
        return text;
    }
    bool tapTone(long tone) { return session().tapPoint(ViewQuery::centerInWindow(*toneCell(tone))); }
    std::string switchState() const {
        auto control = session().switchOfRow("Set Default Skin Tone");
        return !control ? "none" : control->isOn() ? "on" : "off";
    }
    static void write(const char* file, const Value& contents) { ASSERT_TRUE(PropertyList::write(contents, file)); }
    std::string asJson(const char* file) const { return readWithPlistlib(device->hostPath(file)); }

    // The page opened anew on a fresh phone whose `file` holds `contents` alone.
    void reopenWith(const char* file, const Value& contents) {
        opened.reset();
        device.emplace();
        write(file, contents);
    }

    std::optional<TemporaryDevice> device{std::in_place};
    // Opened on first use, so that a test writes its files first.
    PanelSession& session() const {
        if (!opened) opened.emplace("VimbleConfigureController");
        return *opened;
    }
    mutable std::optional<PanelSession> opened;
};

TEST_F(ConfigurePageTest, ShowsTheGroupsInOrderWithThePickerBelowSkinTones) {
    auto rows = page()->specifiers();
    EXPECT_EQ(describe(*rows),
              "group:Configure link:Select Emoji group:Emoji Handling switch:Set Default Skin Tone group:Skin Tones");
    EXPECT_EQ(page()->specifiers(), rows) << "built once and kept";
    EXPECT_EQ((*rows)[3]->propertyForKey("cellClass").asClass(), NSClassFromString("VimbleSwitch"));

    ASSERT_TRUE(picker());
    CGRect skinTones = page()->table()->rectForSection(2);
    EXPECT_EQ(page()->table()->numberOfRowsInSection(2), 0);
    EXPECT_GT(picker()->frame().minY(), skinTones.minY() + 30) << "below the group's title";
    EXPECT_EQ(picker()->frame().maxY(), skinTones.maxY());
    EXPECT_EQ(switchState(), "off");
    EXPECT_EQ(marks(), "222 111 111 111 111 111");
}

// Boy, girl, man and woman in each tone, apart by single spaces; the two
// darkest end with one more space. The picker asks for 260 points at any
// width; its table takes the screen's width when made and keeps it.
TEST_F(ConfigurePageTest, PickerShowsSixRowsOfFourFiguresAtTheScreenWidth) {
    const std::string modifiers[] = {"", "\U0001F3FB", "\U0001F3FC", "\U0001F3FD", "\U0001F3FE", "\U0001F3FF"};
    ASSERT_EQ(picker()->tableView()->numberOfRowsInSection(0), 6);
    for (long tone = 0; tone < 6; ++tone) {
        const std::string& m = modifiers[tone];
        std::string title = "\U0001F466" + m + " \U0001F467" + m + " \U0001F468" + m + " \U0001F469" + m;
        EXPECT_EQ(toneCell(tone)->textLabel()->text(), tone >= 4 ? title + " " : title) << tone;
    }
    for (CGFloat width : {320.0, 1024.0}) EXPECT_EQ(picker()->preferredHeightForWidth(width), 260) << width;
    auto table = picker()->tableView();
    EXPECT_EQ(table->superview(), picker()) << "a direct subview, not in the content view";
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 260));
    EXPECT_FALSE(table->isScrollEnabled());
    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 260));
    auto landscape = std::dynamic_pointer_cast<VimbleSkintoneCell>(
        objc_getClass("VimbleSkintoneCell")->create("initWithSpecifier:", {Value((*page()->specifiers())[4])}));
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->tableView()->frame(), CGRectMake(0, 0, 667, 260));
}

// Each case on a fresh phone whose file holds the value stored.
TEST_F(ConfigurePageTest, TheSwitchShowsStoredSkintoneElseOff) {
    const std::pair<Value, const char*> cases[] = {{Value::dictionary({{"Skintone", true}}), "on"},
                                                   {Value::dictionary({{"Skintone", false}, {"Enabled", true}}), "off"},
                                                   {Value::dictionary({{"Enabled", true}}), "off"},
                                                   {Value::array({Value("Skintone")}), "off"}};
    for (const auto& [file, shown] : cases) {
        reopenWith(kSettingsFile, file);
        EXPECT_EQ(switchState(), shown) << file.description();
    }
}

// A text or a number names the tone by its leading integer; a tone outside
// 0 to 5 marks no row; anything else in "ST" counts as no tone.
TEST_F(ConfigurePageTest, ThePickerMarksTheStoredTone) {
    const std::pair<Value, const char*> cases[] = {
        {Value("3"), "111 111 111 222 111 111"},        {Value("7"), "111 111 111 111 111 111"},
        {Value("-1"), "111 111 111 111 111 111"},       {Value("dark"), "222 111 111 111 111 111"},
        {Value(" +2 tone"), "111 111 222 111 111 111"}, {Value(4), "111 111 111 111 222 111"},
        {Value(1.9), "111 222 111 111 111 111"},        {Value(Data{{'4'}}), "222 111 111 111 111 111"}};
    for (const auto& [tone, shown] : cases) {
        reopenWith(kSkintoneFile, Value::dictionary({{"ST", tone}}));
        EXPECT_EQ(marks(), shown) << tone.description();
    }
}

// Flips store "Skintone" and keep every other key; the host posts the row's
// notification after the setter; the picker's file and marks stay as they were.
TEST_F(ConfigurePageTest, FlipsStoreSkintoneAndPostTheNotification) {
    write(kSettingsFile, Value::dictionary({{"Enabled", true}, {"Note", "😊"}}));
    write(kSkintoneFile, Value::dictionary({{"ST", "3"}}));
    const std::string skintoneBytes = device->readFile(kSkintoneFile);
    auto spy = NotificationCounter::listeningFor("com.korvent.vimble.skintoneChanged");

    ASSERT_TRUE(session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(asJson(kSettingsFile), R"({"Enabled": true, "Note": "😊", "Skintone": true})");
    ASSERT_TRUE(session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(asJson(kSettingsFile), R"({"Enabled": true, "Note": "😊", "Skintone": false})") << "off is stored";
    EXPECT_EQ(spy->heard, 2);
    EXPECT_EQ(device->readFile(kSkintoneFile), skintoneBytes);
    EXPECT_EQ(marks(), "111 111 111 222 111 111");
    EXPECT_FALSE(page()->table()->lastRowChange());
    spy.reset();

    write(kSettingsFile, Value::array({Value("Enabled")}));
    ASSERT_TRUE(session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(asJson(kSettingsFile), R"({"Skintone": true})") << "a file of another kind is replaced";
}

// One write per tap holds the tone and the update flag, every other key kept;
// the mark moves; a tap on the chosen tone writes again and replaces no mark.
TEST_F(ConfigurePageTest, TapsWriteToneAndUpdateFlagAndMoveTheMark) {
    write(kSkintoneFile, Value::dictionary({{"ST", "3"}, {"shouldUpdateSkintone", false}, {"Other", "kept"}}));
    int writes = 0;
    auto counting = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity& activity) {
        if (activity.kind == ActivityKind::File && activity.detail == kSkintoneFile) ++writes;
    });
    std::vector<std::shared_ptr<UIView>> marksBefore;
    for (long tone = 0; tone < 6; ++tone) marksBefore.push_back(toneCell(tone)->accessoryView());
    ASSERT_TRUE(tapTone(3));
    EXPECT_EQ(asJson(kSkintoneFile), R"({"Other": "kept", "ST": "3", "shouldUpdateSkintone": true})");
    for (long tone = 0; tone < 6; ++tone) EXPECT_EQ(toneCell(tone)->accessoryView(), marksBefore[tone]) << tone;

    ASSERT_TRUE(tapTone(4));
    ASSERT_TRUE(tapTone(5));
    counting.cancel();
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(asJson(kSkintoneFile), R"({"Other": "kept", "ST": "5", "shouldUpdateSkintone": true})");
    EXPECT_EQ(marks(), "111 111 111 111 111 222");
    EXPECT_FALSE(picker()->tableView()->indexPathForSelectedRow()) << "no row stays highlighted";

    // Nothing is cached: rows drawn again show what the file holds now.
    write(kSkintoneFile, Value::dictionary({{"ST", "1"}}));
    EXPECT_EQ(marks(), "111 111 111 111 111 222") << "a tap reloads no row";
    picker()->tableView()->reloadData();
    EXPECT_EQ(marks(), "111 222 111 111 111 111");
}

// With a tone that names no row, the first tap marks the tapped row and
// clears none; the next tap moves the mark as usual.
TEST_F(ConfigurePageTest, OutOfRangeToneFirstTapOnlyMarks) {
    write(kSkintoneFile, Value::dictionary({{"ST", "7"}}));
    ASSERT_TRUE(tapTone(2));
    EXPECT_EQ(marks(), "111 111 222 111 111 111");
    ASSERT_TRUE(tapTone(0));
    EXPECT_EQ(marks(), "222 111 111 111 111 111");
    EXPECT_EQ(asJson(kSkintoneFile), R"({"ST": "0", "shouldUpdateSkintone": true})");
}

} // namespace
