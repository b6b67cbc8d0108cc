#include "host/PSSwitchTableCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/MFMailComposeViewController.h"
#include "platform/PropertyList.h"
#include "platform/UIActivityViewController.h"
#include "platform/UIDevice.h"
#include "platform/UIScreen.h"
#include "platform/ViewQuery.h"
#include "shell/VimbleListController.h"
#include "shell/VimbleTexts.h"
#include "tests/support/PanelSession.h"
#include "tests/support/SpecifierDescription.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

const std::string kAllRows = "group: group:Options switch:Enable link:Configure group:Korvent Labs list:The Creators "
                             "button:Need Help group: group: group:";
const std::string kRowsWhileOff =
    "group: group:Options switch:Enable group:Korvent Labs list:The Creators button:Need Help group: group: group:";

class RootPageTest : public ::testing::Test {
protected:
    void writeSettings(ValueDictionary entries) {
        ASSERT_TRUE(PropertyList::write(Value::dictionary(std::move(entries)), TemporaryDevice::settingsFile()));
    }
    std::shared_ptr<ValueDictionary> settings() { return PropertyList::readDictionary(TemporaryDevice::settingsFile()); }

    TemporaryDevice device;
};

TEST_F(RootPageTest, WithoutSettingsFileShowsTenRecordsAndEnableOn) {
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(describe(*page->specifiers()), kAllRows);
    ASSERT_TRUE(session.switchOfRow("Enable"));
    EXPECT_TRUE(session.switchOfRow("Enable")->isOn());
    EXPECT_TRUE(session.shows("Configure"));
}

TEST_F(RootPageTest, RecordsCarryTheirPropertiesAndTheSpacerGroupStandsTwice) {
    PanelSession session;
    auto rows = *session.topPageAs<VimbleListController>()->specifiers();
    EXPECT_EQ(rows[0]->propertyForKey("headerCellClass"), Value("VimbleHeaderCell"));
    EXPECT_EQ(rows[0]->propertyForKey("spacerHeight").doubleValue(), 130.0);
    EXPECT_EQ(rows[2]->propertyForKey("key"), Value("Enabled"));
    EXPECT_EQ(rows[2]->propertyForKey("default"), Value(true));
    EXPECT_EQ(rows[2]->propertyForKey("isEnabledSpec"), Value(true));
    EXPECT_EQ(rows[3]->detailControllerClass(), objc_getClass("VimbleConfigureController"));
    EXPECT_EQ(rows[5]->detailControllerClass(), objc_getClass("VimbleCreatorsController"));
    EXPECT_EQ(rows[6]->buttonAction().name(), "email");
    EXPECT_EQ(rows[7], rows[8]);
    EXPECT_NE(rows[8], rows[9]);
    EXPECT_EQ(rows[9]->propertyForKey("footerText"), Value(VimbleTexts::kPleaFooter));
}

TEST_F(RootPageTest, EnabledStoredOffGivesNineRecordsAndSwitchingOnInsertsConfigure) {
    writeSettings({{"Enabled", false}});
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    EXPECT_EQ(describe(*page->specifiers()), kRowsWhileOff);
    EXPECT_FALSE(session.switchOfRow("Enable")->isOn());
    EXPECT_FALSE(session.shows("Configure"));

    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_EQ(describe(*page->specifiers()), kAllRows);
    EXPECT_TRUE(session.shows("Configure"));
    EXPECT_EQ(settings()->at("Enabled"), Value(true));
    ASSERT_TRUE(page->table()->lastRowChange());
    EXPECT_TRUE(page->table()->lastRowChange()->inserted);
    EXPECT_EQ(page->table()->lastRowChange()->animation, UITableViewRowAnimation::Fade);
}

TEST_F(RootPageTest, SwitchingOffAndOnAgainBringsBackTheVeryRecord) {
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    auto configure = (*page->specifiers())[3];
    auto list = page->specifiers();
    EXPECT_EQ(page->specifiers(), list) << "the list is built once and kept";

    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_EQ(settings()->at("Enabled"), Value(false));
    EXPECT_EQ(describe(*page->specifiers()), kRowsWhileOff);
    EXPECT_FALSE(session.shows("Configure"));

    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_EQ((*page->specifiers())[3], configure);
    EXPECT_TRUE(session.switchOfRow("Enable")->isOn());
}

TEST_F(RootPageTest, WritersKeepTheOtherKeysAndWrongTypesReadAsNoFile) {
    writeSettings({{"Skintone", true}});
    {
        PanelSession session;
        EXPECT_TRUE(session.switchOfRow("Enable")->isOn()) << "a file without Enabled counts as on";
        ASSERT_TRUE(session.tapSwitch("Enable"));
    }
    EXPECT_EQ(Value(settings()), Value::dictionary({{"Enabled", false}, {"Skintone", true}}));

    ASSERT_TRUE(PropertyList::write(Value::array({Value("Enabled")}), TemporaryDevice::settingsFile()));
    PanelSession session;
    EXPECT_TRUE(session.switchOfRow("Enable")->isOn()) << "an array file reads as none";
    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_EQ(Value(settings()), Value::dictionary({{"Enabled", false}}));
}

TEST_F(RootPageTest, FilesWrittenAreXmlThatPlistlibReadsBack) {
    writeSettings({{"Skintone", true}, {"Note", "😊😛 ZWJ 👨‍👩‍👧"}});
    PanelSession session;
    ASSERT_TRUE(session.tapSwitch("Enable"));
    EXPECT_EQ(device.readFile(TemporaryDevice::settingsFile()).rfind("<?xml", 0), 0u);
    const std::string expected = R"({"Enabled": false, "Note": "😊😛 ZWJ 👨‍👩‍👧", "Skintone": true})";
    EXPECT_EQ(readWithPlistlib(device.hostPath(TemporaryDevice::settingsFile())), expected);
    EXPECT_EQ(readWithPlistutil(device.hostPath(TemporaryDevice::settingsFile())), expected);
}

TEST_F(RootPageTest, BannerSpansTheScreenAndFollowsRotation) {
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    auto banner = page->iconImageView();
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->superview(), page->table());
    EXPECT_EQ(banner->frame(), CGRectMake(0, -1.5, 375, 143));
    ASSERT_TRUE(banner->image());
    EXPECT_EQ(banner->image()->path(), "/Library/PreferenceBundles/Vimble.bundle/Vimble - Header.png");

    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    EXPECT_EQ(banner->frame(), CGRectMake(0, 0, 667, 143));
}

TEST_F(RootPageTest, CellTitlesAreBlackOnEveryRow) {
    PanelSession session;
    auto table = session.topPageAs<VimbleListController>()->table();
    ASSERT_FALSE(table->visibleCells().empty());
    for (const auto& cell : table->visibleCells()) {
        EXPECT_TRUE(cell->textLabel()->textColor()->isEqual(*UIColor::blackColor())) << cell->textLabel()->text();
    }
}

TEST_F(RootPageTest, NeedHelpPresentsTheMailAndEitherButtonDismissesIt) {
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    for (const std::string button : {"Send", "Cancel"}) {
        ASSERT_TRUE(session.tap("Need Help"));
        auto composer = std::dynamic_pointer_cast<MFMailComposeViewController>(page->presentedViewController());
        ASSERT_TRUE(composer);
        EXPECT_EQ(composer->subject(), "Vimble Assistance");
        EXPECT_EQ(composer->toRecipients(), std::vector<std::string>{VimbleTexts::kSupportAddress});
        EXPECT_FALSE(ViewQuery::findByText(session.window(), "Need Help")) << "the composer covers the page";
        ASSERT_TRUE(session.tap(button));
        EXPECT_FALSE(page->presentedViewController()) << button;
        EXPECT_TRUE(session.shows("Need Help"));
    }
}

TEST_F(RootPageTest, ShareButtonPresentsTheShareTextFromTheNavigationController) {
    PanelSession session;
    ASSERT_TRUE(session.tap("Share"));
    auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(session.navigation()->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->activityItems(), ValueArray{Value("😊😛- #Vimble- Set Favorite Emojis by @KorventTeam")});
    EXPECT_TRUE(sheet->applicationActivities().empty());
    ASSERT_TRUE(session.tap("Cancel"));
    EXPECT_FALSE(session.navigation()->presentedViewController());
}

TEST_F(RootPageTest, ClassesNotYetInstalledLeaveTheirRowsInert) {
    PanelSession session;
    // Whatever the bundle holds, tapping a row whose page class is unknown
    // must not leave the root page.
    if (!objc_getClass("VimbleCreatorsController")) {
        ASSERT_TRUE(session.tap("The Creators"));
        EXPECT_EQ(session.navigation()->viewControllers().size(), 1u);
    }
    EXPECT_TRUE(session.switchOfRow("Enable"));
}

} // namespace
