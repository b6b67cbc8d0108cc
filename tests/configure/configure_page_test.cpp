#include "configure/VimbleConfigureController.h"
#include "platform/NSNotificationCenter.h"
#include "platform/PropertyList.h"
#include "platform/ViewQuery.h"
#include "select/VimbleSelectController.h"
#include "tests/configure/ConfigureSession.h"
#include "tests/support/SpecifierDescription.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

class NotificationSpy : public NSObject {
public:
    int heard = 0;
    void hear() { ++heard; }
};

class ConfigurePageTest : public ::testing::Test {
protected:
    void writeSettings(const Value& contents) {
        ASSERT_TRUE(PropertyList::write(contents, TemporaryDevice::settingsFile()));
    }
    std::string settingsAsJson() const { return readWithPlistlib(device.hostPath(TemporaryDevice::settingsFile())); }
    std::shared_ptr<PSSpecifier> switchRow(ConfigureSession& configure) { return (*configure.page()->specifiers())[3]; }

    TemporaryDevice device;
};

TEST_F(ConfigurePageTest, FiveRecordsInOrderWithTheirProperties) {
    ConfigureSession configure;
    auto page = configure.page();
    auto rows = page->specifiers();
    EXPECT_EQ(describe(*rows),
              "group:Configure link:Select Emoji group:Emoji Handling switch:Set Default Skin Tone group:Skin Tones");
    EXPECT_EQ(page->specifiers(), rows) << "built once and kept";

    const auto& selectEmoji = (*rows)[1];
    ASSERT_TRUE(objc_getClass("VimbleSelectController"));
    EXPECT_EQ(selectEmoji->detailControllerClass(), objc_getClass("VimbleSelectController"));
    EXPECT_TRUE(selectEmoji->properties()->empty());
    EXPECT_EQ(selectEmoji->target(), page);

    const auto& toggle = (*rows)[3];
    EXPECT_EQ(toggle->target(), page);
    EXPECT_EQ(toggle->setter().name(), "setPreferenceValue:specifier:");
    EXPECT_EQ(toggle->getter().name(), "readPreferenceValue:");
    EXPECT_EQ(toggle->properties()->size(), 4u);
    EXPECT_EQ(toggle->propertyForKey("key"), Value("Skintone"));
    EXPECT_EQ(toggle->propertyForKey("PostNotification"), Value("com.korvent.vimble.skintoneChanged"));
    EXPECT_EQ(toggle->propertyForKey("default"), Value(false));
    ASSERT_TRUE(toggle->propertyForKey("cellClass").isClass()) << "a class, not its name";
    EXPECT_EQ(toggle->propertyForKey("cellClass").asClass(), NSClassFromString("VimbleSwitch"));

    for (std::size_t group : {0u, 2u}) EXPECT_TRUE((*rows)[group]->properties()->empty()) << group;
    EXPECT_EQ((*rows)[4]->propertyForKey("footerCellClass"), Value("VimbleSkintoneCell")) << "a name, not a class";
}

// Top to bottom: the three groups with their rows, the picker under the
// "Skin Tones" title.
TEST_F(ConfigurePageTest, ShowsTheGroupsInOrderWithThePickerBelowSkinTones) {
    ConfigureSession configure;
    auto window = configure.session().window();
    auto picker = configure.picker();
    ASSERT_TRUE(picker);
    std::vector<double> tops;
    for (const char* text : {"Configure", "Select Emoji", "Emoji Handling", "Set Default Skin Tone"}) {
        auto view = ViewQuery::findByText(window, text);
        ASSERT_TRUE(view) << text;
        tops.push_back(view->convertRectToAncestor(view->bounds(), nullptr).minY());
    }
    EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()));
    auto table = configure.page()->table();
    CGRect skinTones = table->rectForSection(2);
    CGRect pickerFrame = picker->frame();
    EXPECT_EQ(table->numberOfRowsInSection(2), 0);
    EXPECT_GT(pickerFrame.minY(), skinTones.minY() + 30) << "below the group's title";
    EXPECT_EQ(pickerFrame.height(), 260);
    EXPECT_EQ(pickerFrame.maxY(), skinTones.maxY());
    EXPECT_GT(pickerFrame.minY(), tops.back());
    EXPECT_TRUE(ViewQuery::isVisible(*picker));
    EXPECT_EQ(configure.marks(), "222 111 111 111 111 111");
    ASSERT_TRUE(configure.session().switchOfRow("Set Default Skin Tone"));
    EXPECT_FALSE(configure.session().switchOfRow("Set Default Skin Tone")->isOn());
}

struct StoredSwitch {
    const char* name;
    Value file;
    bool shownOn;
    friend void PrintTo(const StoredSwitch& stored, std::ostream* out) { *out << stored.name; }
};

class SkintoneSwitchReadTest : public ConfigurePageTest, public ::testing::WithParamInterface<StoredSwitch> {};

TEST_P(SkintoneSwitchReadTest, ShowsTheStoredValueElseOff) {
    if (!GetParam().file.isNil()) writeSettings(GetParam().file);
    ConfigureSession configure;
    auto control = configure.session().switchOfRow("Set Default Skin Tone");
    ASSERT_TRUE(control);
    EXPECT_EQ(control->isOn(), GetParam().shownOn);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SkintoneSwitchReadTest,
    ::testing::Values(StoredSwitch{"NoFile", Value(), false},
                      StoredSwitch{"StoredOn", Value::dictionary({{"Skintone", true}}), true},
                      StoredSwitch{"StoredOff", Value::dictionary({{"Skintone", false}, {"Enabled", true}}), false},
                      StoredSwitch{"OnlyEnabled", Value::dictionary({{"Enabled", true}}), false},
                      StoredSwitch{"ArrayFile", Value::array({Value("Skintone")}), false}),
    [](const auto& test) { return std::string(test.param.name); });

// The getter's key is fixed: changing the row's "key" property leaves it on "Skintone".
TEST_F(ConfigurePageTest, GetterReadsSkintoneWhateverTheRowsKey) {
    writeSettings(Value::dictionary({{"Skintone", false}, {"Enabled", true}}));
    ConfigureSession configure;
    auto row = switchRow(configure);
    row->setProperty_forKey(Value("Enabled"), "key");
    EXPECT_EQ(configure.page()->readPreferenceValue(row), Value(false));
    row->setProperty_forKey(Value(true), "default");
    EXPECT_EQ(configure.page()->readPreferenceValue(row), Value(false)) << "the stored value wins over the default";
}

TEST_F(ConfigurePageTest, FlipsStoreSkintoneAndKeepEveryOtherKey) {
    writeSettings(Value::dictionary({{"Enabled", true}, {"Note", "😊"}}));
    ConfigureSession configure;
    ASSERT_TRUE(configure.session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(settingsAsJson(), R"({"Enabled": true, "Note": "😊", "Skintone": true})");
    ASSERT_TRUE(configure.session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(settingsAsJson(), R"({"Enabled": true, "Note": "😊", "Skintone": false})") << "off is stored, not dropped";

    // The value goes in as it comes, without becoming a boolean.
    configure.page()->setPreferenceValue_specifier(Value(std::int64_t{2}), switchRow(configure));
    EXPECT_EQ(settingsAsJson(), R"({"Enabled": true, "Note": "😊", "Skintone": 2})");
}

TEST_F(ConfigurePageTest, FlipOverAnArrayFileWritesADictionaryOfSkintoneAlone) {
    writeSettings(Value::array({Value("Enabled")}));
    ConfigureSession configure;
    ASSERT_TRUE(configure.session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(settingsAsJson(), R"({"Skintone": true})");
}

// The host posts the row's notification after the setter; the page changes
// no row, and the picker's file and marks stay as they were.
TEST_F(ConfigurePageTest, FlipPostsTheRowsNotificationAndLeavesThePickerAlone) {
    ASSERT_TRUE(PropertyList::write(Value::dictionary({{"ST", "3"}}), TemporaryDevice::skintoneFile()));
    const std::string skintoneBytes = device.readFile(TemporaryDevice::skintoneFile());
    auto spy = std::make_shared<NotificationSpy>();
    NSNotificationCenter::defaultCenter()->addObserver_selector_name_object(
        spy, Selector::of<&NotificationSpy::hear>("hear"), "com.korvent.vimble.skintoneChanged", nullptr);
    ConfigureSession configure;
    auto rows = configure.page()->specifiers();
    ASSERT_EQ(configure.marks(), "111 111 111 222 111 111");

    ASSERT_TRUE(configure.session().tapSwitch("Set Default Skin Tone"));
    ASSERT_TRUE(configure.session().tapSwitch("Set Default Skin Tone"));
    EXPECT_EQ(spy->heard, 2);
    EXPECT_EQ(device.readFile(TemporaryDevice::skintoneFile()), skintoneBytes);
    EXPECT_EQ(configure.marks(), "111 111 111 222 111 111");
    EXPECT_EQ(configure.page()->specifiers(), rows);
    EXPECT_FALSE(configure.page()->table()->lastRowChange());
    NSNotificationCenter::defaultCenter()->removeObserver(spy.get());
}

TEST_F(ConfigurePageTest, TheConfigureRowOfTheRootPageOpensThePageAndSelectEmojiTheSelectionPage) {
    PanelSession session;
    ASSERT_TRUE(session.tap("Configure"));
    auto configure = session.topPageAs<VimbleConfigureController>();
    ASSERT_TRUE(configure);
    ASSERT_TRUE(session.tap("Select Emoji"));
    auto select = session.topPageAs<VimbleSelectController>();
    ASSERT_TRUE(select);
    EXPECT_EQ(select->specifier(), (*configure->specifiers())[1]);
    EXPECT_EQ(session.navigation()->viewControllers().size(), 3u);
}

} // namespace
