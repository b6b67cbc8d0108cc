#include "platform/UIAlertController.h"
#include "platform/UIButton.h"
#include "platform/UINavigationBar.h"
#include "platform/UISegmentedControl.h"
#include "platform/UISlider.h"
#include "platform/UISwitch.h"
#include "platform/UITableView.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// "button selected" and the like: the traits a reader is told, by name.
std::string traitNames(const UIView& view) {
    const std::pair<UIAccessibilityTraits, const char*> names[] = {
        {UIAccessibilityTraitButton, "button"},       {UIAccessibilityTraitToggleButton, "toggle"},
        {UIAccessibilityTraitAdjustable, "adjustable"}, {UIAccessibilityTraitHeader, "header"},
        {UIAccessibilityTraitSelected, "selected"},   {UIAccessibilityTraitNotEnabled, "notEnabled"}};
    std::string text;
    for (const auto& [trait, name] : names) {
        if (view.accessibilityTraits() & trait) text += (text.empty() ? "" : " ") + std::string(name);
    }
    return text.empty() ? "-" : text;
}

std::string firstText(const UIView& view) {
    if (auto label = dynamic_cast<const UILabel*>(&view); label && !label->text().empty()) return label->text();
    for (const auto& subview : view.subviewsInReadingOrder()) {
        if (auto text = firstText(*subview); !text.empty()) return text;
    }
    return "";
}

// Two sections with footers and an index: what the table asks of its source.
class NotedSections : public NSObject, public UITableViewDataSource, public UITableViewDelegate {
public:
    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) override { return 2; }
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long) override { return 2; }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                     const std::shared_ptr<NSIndexPath>& path) override {
        auto cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, "Row");
        cell->textLabel()->setText("row " + std::to_string(path->section()) + "." + std::to_string(path->row()));
        return cell;
    }
    std::optional<std::string> tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>&, long section) override {
        return "Head " + std::to_string(section);
    }
    std::optional<std::string> tableView_titleForFooterInSection(const std::shared_ptr<UITableView>&, long section) override {
        return "Foot " + std::to_string(section);
    }
    std::vector<std::string> sectionIndexTitlesForTableView(const std::shared_ptr<UITableView>&) override { return {"A", "B"}; }
};

TEST(Accessibility, ATableIsReadTopToBottomWithEachFooterAfterItsRowsAndTheIndexLast) {
    TemporaryDevice device;
    auto source = std::make_shared<NotedSections>();
    auto table = alloc<UITableView>()->initWithFrame_style(CGRectMake(0, 0, 320, 600), UITableViewStyle::Grouped);
    table->setDelegate(source);
    table->setDataSource(source);
    table->layoutIfNeeded();
    std::string read;
    for (const auto& view : table->subviewsInReadingOrder()) read += std::string(view->viewKind()) + " " + firstText(*view) + ", ";
    EXPECT_EQ(read, "header Head 0, cell row 0.0, cell row 0.1, footer Foot 0, "
                    "header Head 1, cell row 1.0, cell row 1.1, footer Foot 1, index A, ");
}

TEST(Accessibility, RowsAreButtonsOnlyWhenTheyActByThemselves) {
    TemporaryDevice device;
    auto row = [](const std::string& title) {
        auto cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, "Row");
        cell->textLabel()->setText(title);
        return cell;
    };
    auto plain = row("Open");
    auto ticked = row("Chosen");
    ticked->setAccessoryType(UITableViewCellAccessoryType::Checkmark);
    auto withSwitch = row("Enable");
    withSwitch->contentView()->addSubview(alloc<UISwitch>()->initWithFrame(CGRectZero));
    auto untouchable = row("Version");
    untouchable->setUserInteractionEnabled(false);
    auto blank = row("  ");
    auto chevronOnly = row("");
    chevronOnly->setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
    std::string read;
    for (const auto& cell : {plain, ticked, withSwitch, untouchable, blank, chevronOnly}) read += traitNames(*cell) + ", ";
    EXPECT_EQ(read, "button, button selected, -, -, -, -, ");
}

TEST(Accessibility, ControlsSayWhatTheyAreAndWhichSegmentIsChosen) {
    TemporaryDevice device;
    auto button = alloc<UIButton>()->initWithFrame(CGRectZero);
    button->setEnabled(false);
    auto slider = alloc<UISlider>()->initWithFrame(CGRectZero);
    auto segments = alloc<UISegmentedControl>()->initWithItems({"Warm", "Neutral", "Cool"});
    segments->setSelectedSegmentIndex(1);
    std::string read = traitNames(*button) + ", " + traitNames(*slider) + ",";
    for (const auto& segment : segments->subviewsInReadingOrder()) read += " " + traitNames(*segment) + ",";
    EXPECT_EQ(read, "button notEnabled, adjustable, button, button selected, button,");
    EXPECT_EQ(std::string(segments->viewKind()) + " " + slider->viewKind() + " " + button->viewKind(), "segments slider button");
}

TEST(Accessibility, APresentedAlertIsModalUntilDismissedAndNamedByItsTitle) {
    TemporaryDevice device;
    PanelSession session;
    auto page = session.topPage();
    auto alert = UIAlertController::alertControllerWithTitle_message_preferredStyle("Careful", "Really?",
                                                                                    UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle_style_handler("Okay", UIAlertActionStyle::Default, nullptr));
    page->presentViewController_animated_completion(alert, /*animated=*/false, nullptr);
    auto shown = alert->view();
    EXPECT_EQ(std::string(shown->viewKind()) + " " + shown->accessibilityLabel(), "alert Careful");
    EXPECT_TRUE(shown->accessibilityViewIsModal());
    EXPECT_FALSE(page->navigationController()->view()->accessibilityViewIsModal());
    ASSERT_TRUE(session.tap("Okay"));
    EXPECT_EQ(shown->superview(), nullptr);
}

TEST(Accessibility, TextIsMeasuredInCharactersNotBytes) {
    TemporaryDevice device;
    const CGFloat anyWidth = std::numeric_limits<CGFloat>::infinity();
    auto measure = [&](const std::string& text) {
        auto label = alloc<UILabel>()->initWithFrame(CGRectZero);
        label->setText(text);
        return label->sizeThatFits(CGSizeMake(anyWidth, anyWidth)).width;
    };
    EXPECT_EQ(measure("Réglages"), measure("Settings"));
    EXPECT_LT(measure("Settings"), measure("Settings!"));
    // The back button of a page above one titled "Réglages" is as wide as an eight-letter title's.
    auto barWidth = [](const std::string& previousTitle) {
        auto bar = alloc<UINavigationBar>()->initWithFrame(CGRectMake(0, 0, 375, 0));
        auto below = alloc<UINavigationItem>();
        below->setTitle(previousTitle);
        bar->setItems({below, alloc<UINavigationItem>()});
        bar->layoutIfNeeded();
        return bar->subviews().front()->frame().width();
    };
    EXPECT_EQ(barWidth("Réglages"), barWidth("Settings"));
}

} // namespace
