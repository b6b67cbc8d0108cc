#include "host/PSListController.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

// A footer that asks for a height depending on the width it is given.
class WideFooter : public PSTableCell {
public:
    OBJC_CLASS_NAME(TestWideFooter)
    static inline int made = 0;
    std::shared_ptr<WideFooter> initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
        ++made;
        initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle::Default, "Footer", specifier);
        return self<WideFooter>();
    }
    CGFloat preferredHeightForWidth(CGFloat width) override { return width / 5; }
};

class DetailPage : public PSViewController {
public:
    OBJC_CLASS_NAME(TestDetailPage)
};

// A page with a footer view, a footer text, a button and links. Switches,
// their getters, setters and notifications are the panel pages' tests'.
class SamplePage : public PSListController {
public:
    OBJC_CLASS_NAME(TestSamplePage)
    int helpTaps = 0;

    std::shared_ptr<const SpecifierList> specifiers() override {
        if (_specifiers) return _specifiers;
        auto self = this->self<NSObject>();
        auto footerGroup = PSSpecifier::groupSpecifierWithName("Group A");
        footerGroup->setProperty_forKey(Value("TestWideFooter"), PSFooterCellClassGroupKey);
        auto help = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
            "Help", self, Selector(), Selector(), nullptr, PSCellType::Button, nullptr);
        help->setButtonAction(Selector::of<&SamplePage::helpTapped>("helpTapped"));
        auto textGroup = PSSpecifier::groupSpecifierWithName("Group B");
        textGroup->setProperty_forKey(Value("Under the group"), PSFooterTextGroupKey);
        _specifiers = std::make_shared<const SpecifierList>(SpecifierList{
            footerGroup, help, textGroup,
            PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
                "Details", self, Selector(), Selector(), objc_getClass("TestDetailPage"), PSCellType::Link, nullptr),
            PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
                "Nowhere", self, Selector(), Selector(), objc_getClass("NoSuchPage"), PSCellType::Link, nullptr)});
        return _specifiers;
    }
    void helpTapped() { ++helpTaps; }
};

const auto footerRegistration =
    ClassRegistration<WideFooter, PSTableCell>().initializer<&WideFooter::initWithSpecifier>("initWithSpecifier:");
const auto detailRegistration =
    ClassRegistration<DetailPage, PSViewController>().initializer<&DetailPage::init>("init");
const auto pageRegistration =
    ClassRegistration<SamplePage, PSListController>().initializer<&SamplePage::init>("init");

class ListControllerTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

TEST_F(ListControllerTest, GroupsBecomeSectionsWithTheirFooters) {
    PanelSession session("TestSamplePage");
    auto page = session.topPageAs<SamplePage>();
    auto table = page->table();
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(0), 1);
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(page->tableView_titleForFooterInSection(table, 1), "Under the group");
    EXPECT_TRUE(session.shows("Group A"));
    EXPECT_TRUE(session.shows("Under the group"));
    auto footer = page->tableView_viewForFooterInSection(table, 0);
    ASSERT_TRUE(std::dynamic_pointer_cast<WideFooter>(footer));
    EXPECT_EQ(footer, page->tableView_viewForFooterInSection(table, 0)) << "made once per group";
    EXPECT_EQ(page->tableView_heightForFooterInSection(table, 0), 375.0 / 5);
}

TEST_F(ListControllerTest, ButtonsSendTheirActionAndLinksPushTheirPage) {
    PanelSession session("TestSamplePage");
    auto page = session.topPageAs<SamplePage>();
    ASSERT_TRUE(session.tap("Help"));
    EXPECT_EQ(page->helpTaps, 1);
    EXPECT_FALSE(page->table()->indexPathForSelectedRow()) << "the row is deselected after the tap";

    ASSERT_TRUE(session.tap("Nowhere"));
    EXPECT_EQ(session.navigation()->viewControllers().size(), 1u) << "an unknown page class opens nothing";

    ASSERT_TRUE(session.tap("Details"));
    auto detail = session.topPageAs<DetailPage>();
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->specifier()->name(), "Details");
    EXPECT_EQ(detail->parentController(), page);
    ASSERT_TRUE(session.tap("Back"));
    EXPECT_EQ(session.topPage(), page);
}

} // namespace
