#include "credits/VimbleCreatorsController.h"
#include "credits/VimbleDeveloperCell.h"
#include "platform/Device.h"
#include "platform/UIApplication.h"
#include "platform/UIDevice.h"
#include "platform/UIImageView.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const kPleaFooter =
    "Support all creatives & stand againest piracy. These brilliant individuals put an immense amount of hard work "
    "into their craft. Buy official releases, say no to piracy\n\n\u00A9 2026 Korvent Labs. All rights reserved.";

std::vector<std::string> opened() { return UIApplication::sharedApplication()->openedURLs(); }

std::string rgb(const UIColor& color) {
    auto byte = [](double component) { return std::to_string(std::lround(component * 255)); };
    return byte(color.red()) + " " + byte(color.green()) + " " + byte(color.blue());
}

std::string text(const PSSpecifier& record, const std::string& key) {
    Value value = record.propertyForKey(key);
    return value.isString() ? value.asString() : "-";
}

// The creators page on screen, reached from the root page, and the developer
// cells the host made for its first three groups.
class CreatorsPageTest : public ::testing::Test {
protected:
    explicit CreatorsPageTest(TemporaryDevice::Images images = TemporaryDevice::Images::Installed) : device(images) {
        session.tap("The Creators");
    }

    std::shared_ptr<VimbleCreatorsController> page() { return session.topPageAs<VimbleCreatorsController>(); }
    std::shared_ptr<VimbleDeveloperCell> cell(long group) {
        return std::dynamic_pointer_cast<VimbleDeveloperCell>(page()->tableView_viewForFooterInSection(page()->table(), group));
    }
    std::shared_ptr<UITableViewCell> row(long group, long index) {
        session.window()->layoutIfNeeded();
        return cell(group)->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(index, 0));
    }
    // A finger on the row's text, through the window.
    bool tapRow(long group, long index) {
        auto target = row(group, index);
        return target && session.tapPoint(ViewQuery::centerInWindow(*target->detailTextLabel()));
    }

    TemporaryDevice device;
    PanelSession session;
};

TEST_F(CreatorsPageTest, ThreeCreditsTheSpacerThriceAndThePleaBelow) {
    ASSERT_TRUE(page());
    auto records = *page()->specifiers();
    std::string described;
    for (const auto& record : records) {
        described += (described.empty() ? "" : " | ") + record->name() + "/" + text(*record, "footerCellClass") + "/" +
                     text(*record, "ID") + "/" + text(*record, "TH");
    }
    EXPECT_EQ(described, "Korvent Developer/VimbleDeveloperCell/Dorian K. Vale/QuillFox7 | "
                         "Korvent Designer/VimbleDeveloperCell/Milo Brandt/MiloBrandt | "
                         "Small tools, made with care/VimbleDeveloperCell/Korvent Labs/KorventTeam | "
                         "/-/-/- | /-/-/- | /-/-/- | /-/-/-");
    EXPECT_EQ(page()->specifiers(), page()->specifiers()) << "built once";
    EXPECT_EQ(records[3], records[5]) << "one spacer record";
    EXPECT_EQ(records[6]->propertyForKey("footerText"), Value(kPleaFooter));
    for (long section = 0; section < 7; ++section) EXPECT_EQ(page()->table()->numberOfRowsInSection(section), 0);

    while (session.scroll(200)) {
    }
    auto plea = ViewQuery::findByText(session.window(), kPleaFooter);
    ASSERT_TRUE(plea);
    EXPECT_GT(plea->convertRectToAncestor(plea->bounds(), nullptr).minY(),
              cell(2)->convertRectToAncestor(cell(2)->bounds(), nullptr).maxY());
}

TEST_F(CreatorsPageTest, WebsiteOpensTheSiteAndThePageStays) {
    auto button = page()->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(button && button->style() == UIBarButtonItemStyle::Plain);
    ASSERT_TRUE(session.tap("Website"));
    EXPECT_EQ(opened(), std::vector<std::string>{"https://korventlabs.com"});
    EXPECT_EQ(session.topPage(), page());
}

// The first installed client of Tweetbot, Twitterrific and Twitter, else the web.
TEST_F(CreatorsPageTest, FollowOpensTheFirstInstalledClientOrTheWeb) {
    struct Client { std::set<std::string> installed; const char* address; };
    const Client clients[] = {{{}, "https://mobile.twitter.com/QuillFox7"},
                              {{"twitter"}, "twitter://user?screen_name=QuillFox7"},
                              {{"twitterrific", "twitter"}, "twitterrific:///profile?screen_name=QuillFox7"},
                              {{"tweetbot", "twitterrific", "twitter"}, "tweetbot:///user_profile/QuillFox7"},
                              {{"tweetbot"}, "tweetbot:///user_profile/QuillFox7"}};
    for (const auto& client : clients) {
        Device::shared().setInstalledAppSchemes(client.installed);
        UIApplication::sharedApplication()->forgetOpenedURLs();
        ASSERT_TRUE(tapRow(0, 1));
        EXPECT_EQ(opened(), std::vector<std::string>{client.address});
    }
    Device::shared().setInstalledAppSchemes({});
    UIApplication::sharedApplication()->forgetOpenedURLs();
    ASSERT_TRUE(tapRow(0, 0));
    for (long group : {1L, 2L}) ASSERT_TRUE(tapRow(group, 1));
    EXPECT_EQ(opened(), (std::vector<std::string>{"https://mobile.twitter.com/MiloBrandt",
                                                  "https://mobile.twitter.com/KorventTeam"}))
        << "the name row opens nothing; each group follows its own handle";
    EXPECT_FALSE(cell(2)->tableView()->indexPathForSelectedRow());
}

TEST_F(CreatorsPageTest, CellIs90HighWithTheNameInBlackAndTheLinkInBlueUnderThePhoto) {
    auto developer = cell(0);
    ASSERT_TRUE(developer);
    for (CGFloat width : {0.0, 667.0}) EXPECT_EQ(developer->preferredHeightForWidth(width), 90) << width;
    EXPECT_EQ(developer->frame().height(), 90);
    auto table = developer->tableView();
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 88));
    EXPECT_TRUE(table->style() == UITableViewStyle::Plain && !table->isScrollEnabled());
    EXPECT_NE(developer->subviews().back(), table) << "the photo lies over the table";
    auto photo = std::dynamic_pointer_cast<UIImageView>(developer->subviews().back());
    ASSERT_TRUE(photo && photo->image());
    EXPECT_EQ(photo->frame(), CGRectMake(10, 10, 70, 70));
    EXPECT_EQ(photo->contentMode(), UIViewContentMode::ScaleAspectFit);
    EXPECT_EQ(photo->image()->path(), "/Library/PreferenceBundles/Vimble.bundle/Dorian K. Vale.png");

    // The table hands its two cells back crosswise after a reload: each row
    // sets its own text and colour.
    auto nameCell = row(1, 0);
    cell(1)->tableView()->reloadData();
    ASSERT_EQ(row(1, 1), nameCell);
    auto describeRow = [&](long index) {
        auto label = row(1, index)->detailTextLabel();
        return row(1, index)->textLabel()->text() + "|" + label->text() + "|" + rgb(*label->textColor());
    };
    EXPECT_EQ(describeRow(0) + " " + describeRow(1), "|Milo Brandt|0 0 0 |Follow on Twitter|0 124 230");
    EXPECT_EQ(row(1, 0)->style(), UITableViewCellStyle::Value1);
    EXPECT_EQ(row(1, 0)->selectionStyle(), UITableViewCellSelectionStyle::None);

    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    auto landscape = std::dynamic_pointer_cast<VimbleDeveloperCell>(
        objc_getClass("VimbleDeveloperCell")->create("initWithSpecifier:", {Value((*page()->specifiers())[0])}));
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->tableView()->frame().width(), 667);
    EXPECT_EQ(table->frame().width(), 375) << "the width of its making";
}

} // namespace
