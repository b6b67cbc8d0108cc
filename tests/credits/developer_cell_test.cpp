#include "credits/VimbleCreatorsController.h"
#include "credits/VimbleDeveloperCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/Device.h"
#include "platform/UIApplication.h"
#include "platform/UIDevice.h"
#include "platform/UIScreen.h"
#include "platform/ViewQuery.h"
#include "shell/VimbleTableViewCell.h"
#include "tests/support/PanelSession.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

enum class Section { Developer = 0, Designer = 1, Studio = 2 };

std::vector<std::string> opened() { return UIApplication::sharedApplication()->openedURLs(); }

std::string rgb(const UIColor& color) {
    auto byte = [](double component) { return std::to_string(std::lround(component * 255)); };
    return byte(color.red()) + " " + byte(color.green()) + " " + byte(color.blue());
}

// The creators page on screen, and the developer cells the host made for it.
class DeveloperCellTest : public ::testing::Test {
protected:
    explicit DeveloperCellTest(TemporaryDevice::Images images = TemporaryDevice::Images::Installed)
        : device(images), session("VimbleCreatorsController") {}

    std::shared_ptr<VimbleCreatorsController> page() { return session.topPageAs<VimbleCreatorsController>(); }

    std::shared_ptr<VimbleDeveloperCell> cell(Section section) {
        auto p = page();
        return std::dynamic_pointer_cast<VimbleDeveloperCell>(
            p->tableView_viewForFooterInSection(p->table(), static_cast<long>(section)));
    }

    std::shared_ptr<UITableViewCell> row(Section section, long row) {
        session.window()->layoutIfNeeded();
        return cell(section)->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0));
    }

    // A finger on the row's text, through the window.
    bool tapRow(Section section, long index) {
        auto target = row(section, index);
        return target && session.tapPoint(ViewQuery::centerInWindow(*target->detailTextLabel()));
    }

    TemporaryDevice device;
    PanelSession session;
};

struct ClientCase {
    std::set<std::string> installed;
    const char* expected;
};

const ClientCase kClientCases[] = {
    {{}, "https://mobile.twitter.com/QuillFox7"},
    {{"tweetbot"}, "tweetbot:///user_profile/QuillFox7"},
    {{"twitterrific"}, "twitterrific:///profile?screen_name=QuillFox7"},
    {{"twitter"}, "twitter://user?screen_name=QuillFox7"},
    {{"tweetbot", "twitterrific"}, "tweetbot:///user_profile/QuillFox7"},
    {{"tweetbot", "twitter"}, "tweetbot:///user_profile/QuillFox7"},
    {{"twitterrific", "twitter"}, "twitterrific:///profile?screen_name=QuillFox7"},
    {{"tweetbot", "twitterrific", "twitter"}, "tweetbot:///user_profile/QuillFox7"},
};

// Every address handed to openURL, opened or not.
class OpenAttempts {
public:
    OpenAttempts() {
        _subscription = ActivityMonitor::shared().subscribe([this](const ActivityMonitor::Activity& activity) {
            if (activity.kind == ActivityKind::Url) addresses.push_back(activity.detail);
        });
    }
    OpenAttempts(const OpenAttempts&) = delete;
    OpenAttempts& operator=(const OpenAttempts&) = delete;

    std::vector<std::string> addresses;

private:
    ActivityMonitor::Subscription _subscription;
};

std::string describe(const std::set<std::string>& installed) {
    std::string text = "installed:";
    for (const auto& scheme : installed) text += " " + scheme;
    return text;
}

TEST_F(DeveloperCellTest, FollowOpensTheFirstInstalledClientOrTheWeb) {
    for (const auto& client : kClientCases) {
        Device::shared().setInstalledAppSchemes(client.installed);
        UIApplication::sharedApplication()->forgetOpenedURLs();
        OpenAttempts attempts;
        ASSERT_TRUE(tapRow(Section::Developer, 1));
        EXPECT_EQ(attempts.addresses, std::vector<std::string>{client.expected}) << describe(client.installed);
        EXPECT_EQ(opened(), std::vector<std::string>{client.expected}) << describe(client.installed);
    }
}

TEST_F(DeveloperCellTest, EachGroupFollowsItsOwnHandle) {
    for (auto section : {Section::Developer, Section::Designer, Section::Studio}) ASSERT_TRUE(tapRow(section, 1));
    EXPECT_EQ(opened(), (std::vector<std::string>{"https://mobile.twitter.com/QuillFox7",
                                                  "https://mobile.twitter.com/MiloBrandt",
                                                  "https://mobile.twitter.com/KorventTeam"}));
}

TEST_F(DeveloperCellTest, NameRowOpensNothingAndNoRowStaysSelected) {
    Device::shared().setInstalledAppSchemes({"tweetbot", "twitterrific", "twitter"});
    ASSERT_TRUE(tapRow(Section::Developer, 0));
    EXPECT_TRUE(opened().empty());
    EXPECT_FALSE(cell(Section::Developer)->tableView()->indexPathForSelectedRow());
    ASSERT_TRUE(tapRow(Section::Developer, 1));
    EXPECT_FALSE(cell(Section::Developer)->tableView()->indexPathForSelectedRow());
    EXPECT_EQ(opened().size(), 1u);
}

// A handle goes into the address as it is; one that is no address opens nothing.
TEST_F(DeveloperCellTest, HandleIsAppendedUnescaped) {
    auto developer = cell(Section::Developer);
    developer->setTwitterHandle("Quill_Fox%207");
    developer->twitterApp();
    developer->setTwitterHandle("Quill Fox");
    developer->twitterApp();
    EXPECT_EQ(opened(), std::vector<std::string>{"https://mobile.twitter.com/Quill_Fox%207"});
}

TEST_F(DeveloperCellTest, CellIs90HighWithAPlainTwoRowTableUnderThePhoto) {
    auto developer = cell(Section::Developer);
    ASSERT_TRUE(developer);
    EXPECT_EQ(developer->reuseIdentifier(), "VimbleHeaderCell2");
    EXPECT_EQ(developer->name(), "Dorian K. Vale");
    EXPECT_EQ(developer->twitterHandle(), "QuillFox7");
    for (CGFloat width : {0.0, 375.0, 667.0}) EXPECT_EQ(developer->preferredHeightForWidth(width), 90) << width;
    EXPECT_EQ(developer->frame().height(), 90);
    EXPECT_TRUE(developer->isUserInteractionEnabled());

    auto table = developer->tableView();
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 88));
    EXPECT_EQ(table->style(), UITableViewStyle::Plain);
    EXPECT_FALSE(table->isScrollEnabled());
    EXPECT_FALSE(table->allowsMultipleSelectionDuringEditing());
    EXPECT_EQ(table->dataSource(), developer);
    EXPECT_EQ(table->delegate(), developer);
    EXPECT_EQ(table->numberOfSections(), 1);
    EXPECT_EQ(table->numberOfRowsInSection(0), 2);

    const auto& subviews = developer->subviews();
    auto tableAt = std::find(subviews.begin(), subviews.end(), table);
    ASSERT_NE(tableAt, subviews.end());
    ASSERT_EQ(tableAt + 2, subviews.end()) << "the photo alone lies over the table";
    auto photo = std::dynamic_pointer_cast<UIImageView>(*(tableAt + 1));
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->frame(), CGRectMake(10, 10, 70, 70));
    EXPECT_EQ(photo->contentMode(), UIViewContentMode::ScaleAspectFit);
    ASSERT_TRUE(photo->image());
    EXPECT_EQ(photo->image()->path(), "/Library/PreferenceBundles/Vimble.bundle/Dorian K. Vale.png");
}

TEST_F(DeveloperCellTest, RowsShowTheNameInBlackAndTheLinkInBlue) {
    for (long index : {0L, 1L}) {
        auto cell = std::dynamic_pointer_cast<VimbleTableViewCell>(row(Section::Designer, index));
        ASSERT_TRUE(cell) << index;
        EXPECT_EQ(cell->style(), UITableViewCellStyle::Value1);
        EXPECT_EQ(cell->reuseIdentifier(), "VimbleDeveloperCell");
        EXPECT_TRUE(cell->isOpaque());
        EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyle::None);
        EXPECT_EQ(cell->textLabel()->text(), "");
    }
    auto name = row(Section::Designer, 0)->detailTextLabel();
    EXPECT_EQ(name->text(), "Milo Brandt");
    EXPECT_EQ(rgb(*name->textColor()), "0 0 0");
    auto link = row(Section::Designer, 1)->detailTextLabel();
    EXPECT_EQ(link->text(), "Follow on Twitter");
    EXPECT_EQ(rgb(*link->textColor()), "0 124 230");
}

// Reused row cells come back with the other row's text and colour replaced.
TEST_F(DeveloperCellTest, RowsAreRightAfterReuse) {
    auto table = cell(Section::Studio)->tableView();
    auto nameCell = row(Section::Studio, 0);
    auto linkCell = row(Section::Studio, 1);
    table->reloadData();
    ASSERT_EQ(row(Section::Studio, 0), linkCell) << "the table hands its two cells back crosswise";
    ASSERT_EQ(row(Section::Studio, 1), nameCell);
    auto link = row(Section::Studio, 1)->detailTextLabel();
    EXPECT_EQ(link->text(), "Follow on Twitter");
    EXPECT_EQ(rgb(*link->textColor()), "0 124 230");
    EXPECT_EQ(row(Section::Studio, 0)->detailTextLabel()->text(), "Korvent Labs");
    EXPECT_EQ(rgb(*row(Section::Studio, 0)->detailTextLabel()->textColor()), "0 0 0");
}

TEST_F(DeveloperCellTest, InnerTableKeepsTheScreenWidthOfItsMaking) {
    auto portrait = cell(Section::Developer);
    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    auto landscape = std::dynamic_pointer_cast<VimbleDeveloperCell>(
        objc_getClass("VimbleDeveloperCell")->create("initWithSpecifier:", {Value((*page()->specifiers())[0])}));
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->tableView()->frame().width(), UIScreen::mainScreen()->bounds().width());
    EXPECT_EQ(landscape->tableView()->frame().width(), 667);
    EXPECT_EQ(portrait->tableView()->frame().width(), 375);
}

class DeveloperCellWithoutImagesTest : public DeveloperCellTest {
protected:
    DeveloperCellWithoutImagesTest() : DeveloperCellTest(TemporaryDevice::Images::Missing) {}
};

TEST_F(DeveloperCellWithoutImagesTest, MissingPhotoLeavesAnEmptyViewAndTheRowsWork) {
    for (auto section : {Section::Developer, Section::Designer, Section::Studio}) {
        auto photo = std::dynamic_pointer_cast<UIImageView>(cell(section)->subviews().back());
        ASSERT_TRUE(photo);
        EXPECT_FALSE(photo->image());
        EXPECT_EQ(photo->frame(), CGRectMake(10, 10, 70, 70));
    }
    EXPECT_TRUE(session.shows("Milo Brandt"));
    ASSERT_TRUE(tapRow(Section::Studio, 1));
    EXPECT_EQ(opened(), std::vector<std::string>{"https://mobile.twitter.com/KorventTeam"});
}

} // namespace
