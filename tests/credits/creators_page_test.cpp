#include "credits/VimbleCreatorsController.h"
#include "platform/UIApplication.h"
#include "platform/ViewQuery.h"
#include "shell/VimbleTexts.h"
#include "tests/support/PanelSession.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

std::string textProperty(const PSSpecifier& record, const std::string& key) {
    Value value = record.propertyForKey(key);
    return value.isString() ? value.asString() : "-";
}

// "Korvent Developer/VimbleDeveloperCell/Dorian K. Vale/QuillFox7" per record;
// "-" for a property the record lacks.
std::string describe(const SpecifierList& records) {
    std::string text;
    for (const auto& record : records) {
        if (!text.empty()) text += " | ";
        if (!record->isGroup()) text += "row:";
        text += record->name() + "/" + textProperty(*record, "footerCellClass") + "/" + textProperty(*record, "ID") +
                "/" + textProperty(*record, "TH");
    }
    return text;
}

const std::string kRecords = "Korvent Developer/VimbleDeveloperCell/Dorian K. Vale/QuillFox7 | "
                             "Korvent Designer/VimbleDeveloperCell/Milo Brandt/MiloBrandt | "
                             "Small tools, made with care/VimbleDeveloperCell/Korvent Labs/KorventTeam | "
                             "/-/-/- | /-/-/- | /-/-/- | /-/-/-";

class CreatorsPageTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

TEST_F(CreatorsPageTest, SevenGroupsAndNoOrdinaryRows) {
    PanelSession session("VimbleCreatorsController");
    auto page = session.topPageAs<VimbleCreatorsController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(describe(*page->specifiers()), kRecords);
    auto table = page->table();
    ASSERT_EQ(table->numberOfSections(), 7);
    for (long section = 0; section < 7; ++section) EXPECT_EQ(table->numberOfRowsInSection(section), 0) << section;
}

TEST_F(CreatorsPageTest, ListIsBuiltOnceWithOneSpacerRecordThreeTimesAndThePleaLast) {
    PanelSession session("VimbleCreatorsController");
    auto page = session.topPageAs<VimbleCreatorsController>();
    auto list = page->specifiers();
    ASSERT_EQ(list->size(), 7u);
    auto again = page->specifiers();
    EXPECT_EQ(again, list) << "the cached list itself";
    const auto& records = *list;
    EXPECT_EQ(records[3], records[4]);
    EXPECT_EQ(records[4], records[5]);
    EXPECT_TRUE(records[3]->properties()->empty());
    EXPECT_NE(records[5], records[6]);
    EXPECT_EQ(records[6]->propertyForKey("footerText"), Value(VimbleTexts::kPleaFooter));
    EXPECT_EQ(records[6]->properties()->size(), 1u);
}

TEST_F(CreatorsPageTest, TheCreatorsRowOfTheRootPageOpensThePage) {
    PanelSession session;
    ASSERT_TRUE(session.tap("The Creators"));
    auto page = session.topPageAs<VimbleCreatorsController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(session.navigation()->viewControllers().size(), 2u);
    for (const char* text : {"Korvent Developer", "Dorian K. Vale", "Korvent Designer", "Milo Brandt",
                             "Small tools, made with care", "Korvent Labs", "Follow on Twitter", "Website"}) {
        EXPECT_TRUE(session.shows(text)) << text;
    }
}

TEST_F(CreatorsPageTest, PleaStandsBelowTheCredits) {
    PanelSession session("VimbleCreatorsController");
    auto page = session.topPageAs<VimbleCreatorsController>();
    auto table = page->table();
    while (session.scroll(200)) {
    }
    auto plea = ViewQuery::findByText(session.window(), VimbleTexts::kPleaFooter);
    ASSERT_TRUE(plea);
    auto studio = page->tableView_viewForFooterInSection(table, 2);
    ASSERT_TRUE(studio);
    EXPECT_GT(plea->convertRectToAncestor(plea->bounds(), nullptr).minY(),
              studio->convertRectToAncestor(studio->bounds(), nullptr).maxY());
}

TEST_F(CreatorsPageTest, WebsiteButtonOpensTheSiteAndThePageStays) {
    PanelSession session;
    ASSERT_TRUE(session.tap("The Creators"));
    auto page = session.topPageAs<VimbleCreatorsController>();
    auto button = page->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(button);
    EXPECT_EQ(button->title(), "Website");
    EXPECT_EQ(button->style(), UIBarButtonItemStyle::Plain);
    EXPECT_EQ(button->target(), page);

    ASSERT_TRUE(session.tap("Website"));
    EXPECT_EQ(UIApplication::sharedApplication()->openedURLs(), std::vector<std::string>{"https://korventlabs.com"});
    EXPECT_EQ(session.topPage(), page);
    EXPECT_EQ(session.navigation()->viewControllers().size(), 2u);
    EXPECT_FALSE(page->presentedViewController());
    EXPECT_FALSE(session.navigation()->presentedViewController());
}

} // namespace
