#include "platform/ObjCClass.h"
#include "platform/RunLoop.h"
#include "platform/UIImageView.h"
#include "platform/UINavigationController.h"
#include "platform/UITableViewCell.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Every page of the panel looks alike; each is checked the same way.
const char* const kPages[] = {"VimbleListController", "VimbleConfigureController", "VimbleSelectController",
                              "VimbleCreatorsController"};

std::shared_ptr<UIImageView> titleIcon(const std::shared_ptr<UIViewController>& page) {
    return std::dynamic_pointer_cast<UIImageView>(page->navigationItem()->titleView());
}

// "165 179 206" for the panel's tint, "none" when the window has none of its own.
std::string ownTint(const UIView& view) {
    const auto& color = view.ownTintColor();
    if (!color) return "none";
    auto byte = [](double component) { return std::to_string(std::lround(component * 255)); };
    return byte(color->red()) + " " + byte(color->green()) + " " + byte(color->blue());
}

std::shared_ptr<UIViewController> makePage(const std::string& className) {
    return std::dynamic_pointer_cast<UIViewController>(objc_getClass(className)->create("init"));
}

class PageAppearanceTest : public ::testing::TestWithParam<const char*> {};

TEST_P(PageAppearanceTest, TitleIconFadesInOverHalfASecondAfterHalfASecond) {
    TemporaryDevice device;
    PanelSession session(GetParam());
    auto icon = titleIcon(session.topPage());
    ASSERT_TRUE(icon && icon->image());
    EXPECT_EQ(icon->frame().size, CGSizeMake(30, 30));
    EXPECT_EQ(icon->contentMode(), UIViewContentMode::ScaleAspectFit);
    EXPECT_EQ(icon->image()->path(), "/Library/PreferenceBundles/Vimble.bundle/Branding - Small.png");
    EXPECT_EQ(icon->alpha(), 0);

    RunLoop::main().advanceBy(0.49);
    EXPECT_TRUE(icon->alpha() == 0 && !icon->lastAnimation());
    RunLoop::main().advanceBy(0.01);
    EXPECT_EQ(icon->alpha(), 1);
    ASSERT_TRUE(icon->lastAnimation());
    EXPECT_EQ(std::to_string(icon->lastAnimation()->startTime) + " for " + std::to_string(icon->lastAnimation()->duration),
              "0.500000 for 0.500000");

    auto serial = icon->lastAnimation()->serial;
    RunLoop::main().advanceBy(5);
    EXPECT_EQ(icon->lastAnimation()->serial, serial) << "the timer fires once";

    // The window is tinted while a page is shown and untinted after the last.
    const auto& window = *session.window();
    EXPECT_EQ(ownTint(window), "165 179 206");
    session.navigation()->pushViewController_animated(makePage(GetParam()), /*animated=*/true);
    session.navigation()->popViewControllerAnimated(/*animated=*/true);
    EXPECT_EQ(ownTint(window), "165 179 206") << "after a push and a pop";
    session.window()->setRootViewController(nullptr);
    EXPECT_EQ(ownTint(window), "none");
}

// The timer holds the page, so a page closed at once still animates its
// icon, and is let go once the timer has run.
TEST_P(PageAppearanceTest, PagePoppedBeforeTheFadeStillAnimatesItsIcon) {
    TemporaryDevice device;
    PanelSession session;
    RunLoop::main().advanceBy(1);
    std::weak_ptr<UIViewController> weakPage;
    std::shared_ptr<UIImageView> icon;
    {
        auto page = makePage(GetParam());
        session.navigation()->pushViewController_animated(page, true);
        weakPage = page;
        icon = titleIcon(page);
    }
    ASSERT_TRUE(icon);
    RunLoop::main().advanceBy(0.2);
    session.navigation()->popViewControllerAnimated(true);
    ASSERT_EQ(session.navigation()->viewControllers().size(), 1u);

    RunLoop::main().advanceBy(0.29);
    EXPECT_FALSE(weakPage.expired()) << "the timer keeps the page";
    RunLoop::main().advanceBy(0.01);
    EXPECT_EQ(icon->alpha(), 1);
    ASSERT_TRUE(icon->lastAnimation());
    EXPECT_EQ(icon->lastAnimation()->startTime, 1.5);
    EXPECT_TRUE(weakPage.expired()) << "nothing else keeps a closed page";
}

// Without the bundle's pictures every page still opens with empty picture
// views of their sizes, and their rows still work.
TEST(PageAppearanceWithoutImagesTest, EveryPageShowsEmptyPictureViewsThatStillWork) {
    for (const char* pageClass : kPages) {
        TemporaryDevice device(TemporaryDevice::Images::Missing);
        PanelSession session;
        session.navigation()->pushViewController_animated(makePage(pageClass), /*animated=*/false);
        auto icon = titleIcon(session.topPage());
        ASSERT_TRUE(icon) << pageClass;
        EXPECT_FALSE(icon->image());
        EXPECT_EQ(icon->frame().size, CGSizeMake(30, 30));
        RunLoop::main().advanceBy(0.5);
        EXPECT_EQ(icon->alpha(), 1) << pageClass;
    }
    TemporaryDevice device(TemporaryDevice::Images::Missing);
    PanelSession session;
    ASSERT_TRUE(session.tap("Configure"));
    auto toneThree = ViewQuery::findByText(session.window(), "👦🏼 👧🏼 👨🏼 👩🏼");
    ASSERT_TRUE(toneThree && session.tapPoint(ViewQuery::centerInWindow(*toneThree)));
    auto row = toneThree->superview();
    while (row && !std::dynamic_pointer_cast<UITableViewCell>(row)) row = row->superview();
    ASSERT_TRUE(row && std::dynamic_pointer_cast<UITableViewCell>(row)->accessoryView());
    EXPECT_EQ(std::dynamic_pointer_cast<UITableViewCell>(row)->accessoryView()->tag(), 222);
    ASSERT_TRUE(session.tap("Back") && session.tap("The Creators"));
    EXPECT_TRUE(session.shows("Milo Brandt"));
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageAppearanceTest, ::testing::ValuesIn(kPages),
                         [](const auto& page) { return std::string(page.param); });

} // namespace
