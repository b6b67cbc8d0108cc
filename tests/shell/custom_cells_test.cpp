#include "platform/ObjCClass.h"
#include "platform/UIImage.h"
#include "shell/VimbleHeaderCell.h"
#include "shell/VimbleListController.h"
#include "shell/VimbleSwitch.h"
#include "shell/VimbleTableViewCell.h"
#include "tests/support/PanelSession.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<VimbleHeaderCell> makeHeader(const std::shared_ptr<PSSpecifier>& group) {
    return std::dynamic_pointer_cast<VimbleHeaderCell>(
        objc_getClass("VimbleHeaderCell")->create("initWithSpecifier:", {Value(group)}));
}

class CustomCellsTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

TEST_F(CustomCellsTest, EnableRowIsAVimbleSwitchWithTheAmberOnTint) {
    PanelSession session;
    auto control = session.switchOfRow("Enable");
    ASSERT_TRUE(control);
    auto cell = std::dynamic_pointer_cast<VimbleSwitch>(control->superview());
    ASSERT_TRUE(cell) << "the host makes the row from its cellClass";
    EXPECT_EQ(cell->control(), control);
    ASSERT_TRUE(control->onTintColor());
    EXPECT_TRUE(control->onTintColor()->isEqual(*UIColor::colorWithRed_green_blue_alpha(254 / 255.0, 202 / 255.0, 0, 1)));
}

TEST_F(CustomCellsTest, RootHeaderIs130HighAtEveryWidthAndGetsThatHeight) {
    PanelSession session;
    auto page = session.topPageAs<VimbleListController>();
    auto header = std::dynamic_pointer_cast<VimbleHeaderCell>(page->tableView_viewForHeaderInSection(page->table(), 0));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->reuseIdentifier(), "VimbleHeaderCell");
    for (CGFloat width : {0.0, 320.0, 375.0, 667.0, 10000.0}) EXPECT_EQ(header->preferredHeightForWidth(width), 130) << width;
    EXPECT_EQ(header->frame().height(), 130) << "the table gives the header the height it asks for";
}

TEST_F(CustomCellsTest, HeaderHeightIsTheSpacerReadAsAFloatAndZeroWithoutOne) {
    auto fractional = PSSpecifier::groupSpecifierWithName("");
    fractional->setProperty_forKey(Value(130.3), "spacerHeight");
    auto header = makeHeader(fractional);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->preferredHeightForWidth(375), static_cast<double>(130.3f));

    auto text = PSSpecifier::groupSpecifierWithName("");
    text->setProperty_forKey(Value("48"), "spacerHeight");
    EXPECT_EQ(makeHeader(text)->preferredHeightForWidth(375), 48);

    auto bare = makeHeader(PSSpecifier::groupSpecifierWithName(""));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->preferredHeightForWidth(375), 0);
}

// The base layout decides where the image goes; the panel's cell only widens it.
TEST_F(CustomCellsTest, TableViewCellImageIs100WideWhereverTheBaseLayoutPutsIt) {
    auto image = UIImage::imageWithContentsOfFile("/Library/PreferenceBundles/Vimble.bundle/Branding - Small.png");
    ASSERT_TRUE(image) << "the bundle's title icon serves as a sample image";
    for (CGFloat cellHeight : {44.0, 90.0, 20.0}) {
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
