#include "host/PSSwitchTableCell.h"
#include "platform/MFMailComposeViewController.h"
#include "platform/PropertyList.h"
#include "platform/UIActivityViewController.h"
#include "platform/UIDevice.h"
#include "platform/UIImage.h"
#include "platform/ViewQuery.h"
#include "shell/VimbleHeaderCell.h"
#include "shell/VimbleListController.h"
#include "shell/VimbleSwitch.h"
#include "shell/VimbleTableViewCell.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"
#include "tests/support/SpecifierDescription.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
const std::string kAllRows = "group: group:Options switch:Enable link:Configure group:Korvent Labs list:The Creators "
                             "button:Need Help group: group: group:";
const std::string kRowsWhileOff =
    "group: group:Options switch:Enable group:Korvent Labs list:The Creators button:Need Help group: group: group:";
const char* const kPleaFooter =
    "Support all creatives & stand againest piracy. These brilliant individuals put an immense amount of hard work "
    "into their craft. Buy official releases, say no to piracy\n\n\u00A9 2026 Korvent Labs. All rights reserved.";

class RootPageTest : public ::testing::Test {
protected:
    static void writeSettings(const Value& contents) { ASSERT_TRUE(PropertyList::write(contents, kSettingsFile)); }
    std::string settingsAsJson() const { return readWithPlistlib(device.hostPath(kSettingsFile)); }
    std::shared_ptr<VimbleListController> page() const { return session->topPageAs<VimbleListController>(); }
    void open() { session.emplace(); }

    TemporaryDevice device;
    std::optional<PanelSession> session;
};

TEST_F(RootPageTest, WithoutSettingsFileShowsTenRecordsAndEnableOn) {
    open();
    auto rows = *page()->specifiers();
    EXPECT_EQ(describe(rows), kAllRows);
    EXPECT_TRUE(session->switchOfRow("Enable")->isOn());
    EXPECT_TRUE(session->shows("Configure"));
    EXPECT_EQ(rows[0]->propertyForKey("headerCellClass"), Value("VimbleHeaderCell"));
    EXPECT_EQ(rows[2]->propertyForKey("isEnabledSpec"), Value(true));
    EXPECT_EQ(rows[3]->detailControllerClass(), objc_getClass("VimbleConfigureController"));
    EXPECT_EQ(rows[5]->detailControllerClass(), objc_getClass("VimbleCreatorsController"));
    EXPECT_EQ(rows[7], rows[8]) << "the spacer group stands twice";
    EXPECT_EQ(rows[9]->propertyForKey("footerText"), Value(kPleaFooter));

    auto cell = std::dynamic_pointer_cast<VimbleSwitch>(session->switchOfRow("Enable")->superview());
    ASSERT_TRUE(cell) << "the host makes the row from its cellClass";
    EXPECT_TRUE(cell->control()->onTintColor()->isEqual(*UIColor::colorWithRed_green_blue_alpha(254 / 255.0, 202 / 255.0, 0, 1)));
    for (const auto& visible : page()->table()->visibleCells()) {
        EXPECT_TRUE(visible->textLabel()->textColor()->isEqual(*UIColor::blackColor())) << visible->textLabel()->text();
    }
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
            if (cell) rows += cell->textLabel()->text() + (before[cell->textLabel()->text()] == cell ? "= " : "+ ");
        }
    }
    return rows + "asked " + std::to_string(table->cellsProvided() - provided);
}

// A false "Enabled" hides Configure. Switching on brings back the very same
// record with a fade while the other rows keep their cells; the file keeps
// every other key, whatever it holds and however large it is.
TEST_F(RootPageTest, EnableInsertsAndRemovesTheSameConfigureRecordAndKeepsEveryOtherKey) {
    ValueDictionary stored{{"Enabled", false},
                           {"Note", "😊😛 ZWJ 👨‍👩‍👧"},
                           {"Largest", Value(std::uint64_t{18446744073709551615u})},
                           {"Bell", "ring\x07"},
                           {"Padding", std::string(2 * 1024 * 1024, 'p')}};
    writeSettings(Value::dictionary(stored));
    open();
    EXPECT_EQ(describe(*page()->specifiers()), kRowsWhileOff);
    EXPECT_FALSE(session->switchOfRow("Enable")->isOn());
    EXPECT_EQ(rowsAfter(*session, [&] { ASSERT_TRUE(session->tapSwitch("Enable")); }),
              "Enable= Configure+ The Creators= Need Help= asked 1");
    EXPECT_EQ(describe(*page()->specifiers()), kAllRows);
    EXPECT_EQ(page()->table()->lastRowChange()->animation, UITableViewRowAnimation::Fade);
    stored["Enabled"] = true;
    EXPECT_EQ(PropertyList::read(kSettingsFile), Value::dictionary(stored));

    auto configure = (*page()->specifiers())[3];
    EXPECT_EQ(rowsAfter(*session, [&] { ASSERT_TRUE(session->tapSwitch("Enable")); }),
              "Enable= The Creators= Need Help= asked 0");
    ASSERT_TRUE(session->tapSwitch("Enable"));
    EXPECT_EQ((*page()->specifiers())[3], configure);
}

// A file without "Enabled" or of another kind counts as on; the flip writes
// XML that independent readers take as the page meant it.
TEST_F(RootPageTest, AFileWithoutEnabledCountsAsOn) {
    writeSettings(Value::array({Value("Enabled")}));
    open();
    EXPECT_TRUE(session->switchOfRow("Enable")->isOn());
    writeSettings(Value::dictionary({{"Skintone", true}}));
    open();
    EXPECT_TRUE(session->switchOfRow("Enable")->isOn());
    EXPECT_TRUE(session->shows("Configure")) << "the page's rows follow the file as the switch does";
    ASSERT_TRUE(session->tapSwitch("Enable"));
    EXPECT_EQ(device.readFile(kSettingsFile).rfind("<?xml", 0), 0u);
    EXPECT_EQ(settingsAsJson(), R"({"Enabled": false, "Skintone": true})");
    EXPECT_EQ(readWithPlistutil(device.hostPath(kSettingsFile)), R"({"Enabled": false, "Skintone": true})");
}

TEST_F(RootPageTest, BannerAndHeaderSpanTheScreenAndFollowRotation) {
    open();
    auto banner = page()->iconImageView();
    ASSERT_TRUE(banner && banner->image());
    EXPECT_EQ(banner->superview(), page()->table());
    EXPECT_EQ(banner->frame(), CGRectMake(0, -1.5, 375, 143));
    EXPECT_EQ(banner->image()->path(), "/Library/PreferenceBundles/Vimble.bundle/Vimble - Header.png");
    auto header = std::dynamic_pointer_cast<VimbleHeaderCell>(page()->tableView_viewForHeaderInSection(page()->table(), 0));
    ASSERT_TRUE(header);
    for (CGFloat width : {0.0, 667.0}) EXPECT_EQ(header->preferredHeightForWidth(width), 130) << width;
    EXPECT_EQ(header->frame().height(), 130) << "the table gives the header the height it asks for";

    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    EXPECT_EQ(banner->frame(), CGRectMake(0, 0, 667, 143));
}

TEST_F(RootPageTest, NeedHelpPresentsTheMailAndEitherButtonDismissesIt) {
    open();
    for (const std::string button : {"Send", "Cancel"}) {
        ASSERT_TRUE(session->tap("Need Help"));
        auto composer = std::dynamic_pointer_cast<MFMailComposeViewController>(page()->presentedViewController());
        ASSERT_TRUE(composer);
        EXPECT_EQ(composer->subject(), "Vimble Assistance");
        EXPECT_EQ(composer->toRecipients(), std::vector<std::string>{"support@korventlabs.com"});
        EXPECT_FALSE(ViewQuery::findByText(session->window(), "Need Help")) << "the composer covers the page";
        ASSERT_TRUE(session->tap(button));
        EXPECT_FALSE(page()->presentedViewController()) << button;
    }
}

TEST_F(RootPageTest, ShareButtonPresentsTheShareTextFromTheNavigationController) {
    open();
    ASSERT_TRUE(session->tap("Share"));
    auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(session->navigation()->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->activityItems(), ValueArray{Value("😊😛- #Vimble- Set Favorite Emojis by @KorventTeam")});
    EXPECT_TRUE(sheet->applicationActivities().empty());
    ASSERT_TRUE(session->tap("Cancel"));
    EXPECT_FALSE(session->navigation()->presentedViewController());
}

// The base layout decides where the image goes; the panel's cell only widens it.
TEST(VimbleTableViewCellTest, ImageIs100WideWhereverTheBaseLayoutPutsIt) {
    TemporaryDevice device;
    auto image = UIImage::imageWithContentsOfFile("/Library/PreferenceBundles/Vimble.bundle/Branding - Small.png");
    ASSERT_TRUE(image);
    for (CGFloat cellHeight : {44.0, 20.0}) {
        auto plain = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Value1, "Plain");
        auto widened = alloc<VimbleTableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Value1, "Wide");
        for (const auto& cell : {plain, widened}) {
            cell->imageView()->setImage(image);
            cell->setFrame(CGRectMake(0, 0, 375, cellHeight));
            cell->layoutSubviews();
            cell->layoutSubviews(); // a second pass starts again from the base layout
        }
        CGRect base = plain->imageView()->frame();
        EXPECT_EQ(widened->imageView()->frame(), CGRectMake(base.minX(), base.minY(), 100, base.height())) << cellHeight;
    }
}

} // namespace
