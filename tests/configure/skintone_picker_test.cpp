#include "configure/VimbleSkintoneCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/PropertyList.h"
#include "platform/UIDevice.h"
#include "platform/UIImageView.h"
#include "tests/configure/ConfigureSession.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

// Counts the writes of one file while it lives.
class FileWriteCounter {
public:
    explicit FileWriteCounter(std::string devicePath) : _path(std::move(devicePath)) {
        _subscription = ActivityMonitor::shared().subscribe([this](const ActivityMonitor::Activity& activity) {
            if (activity.kind == ActivityKind::File && activity.detail == _path) ++_writes;
        });
    }
    int writes() const { return _writes; }

private:
    std::string _path;
    int _writes = 0;
    ActivityMonitor::Subscription _subscription;
};

std::shared_ptr<UITableViewCell> rowCell(const VimbleSkintoneCell& picker, long row) {
    return picker.tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0));
}

class SkintonePickerTest : public ::testing::Test {
protected:
    void writeSkintone(const Value& contents) {
        ASSERT_TRUE(PropertyList::write(contents, TemporaryDevice::skintoneFile()));
    }
    std::string skintoneAsJson() const { return readWithPlistlib(device.hostPath(TemporaryDevice::skintoneFile())); }
    TemporaryDevice device;
};

// Each title: boy, girl, man and woman, each with the row's modifier, apart
// by single spaces; the two darkest end with one more space.
TEST_F(SkintonePickerTest, SixRowsShowTheFourFiguresInEachTone) {
    const std::string figures[] = {"\U0001F466", "\U0001F467", "\U0001F468", "\U0001F469"};
    const std::string modifiers[] = {"", "\U0001F3FB", "\U0001F3FC", "\U0001F3FD", "\U0001F3FE", "\U0001F3FF"};
    ConfigureSession configure;
    auto picker = configure.picker();
    ASSERT_TRUE(picker);
    ASSERT_EQ(picker->tableView()->numberOfSections(), 1);
    ASSERT_EQ(picker->tableView()->numberOfRowsInSection(0), 6);
    for (long row = 0; row < 6; ++row) {
        std::string title;
        for (const auto& figure : figures) title += (title.empty() ? "" : " ") + figure + modifiers[row];
        if (row >= 4) title += " ";
        auto cell = rowCell(*picker, row);
        ASSERT_TRUE(cell) << row;
        EXPECT_EQ(cell->textLabel()->text(), title) << row;
    }
}

// The picker asks for 260 points at any width; its table takes the screen's
// width when made and keeps it after a turn.
TEST_F(SkintonePickerTest, InnerTableTakesTheScreenWidthOnceAndNeverScrolls) {
    ConfigureSession configure;
    auto picker = configure.picker();
    ASSERT_TRUE(picker);
    for (CGFloat width : {320.0, 1024.0}) EXPECT_EQ(picker->preferredHeightForWidth(width), 260) << width;
    auto table = picker->tableView();
    EXPECT_EQ(table->superview(), picker) << "a direct subview, not in the content view";
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 260));
    EXPECT_FALSE(table->isScrollEnabled());

    UIDevice::currentDevice()->setOrientation(UIDeviceOrientation::LandscapeLeft);
    EXPECT_EQ(table->frame(), CGRectMake(0, 0, 375, 260));
    auto landscapePicker = std::dynamic_pointer_cast<VimbleSkintoneCell>(
        objc_getClass("VimbleSkintoneCell")->create("initWithSpecifier:", {Value((*configure.page()->specifiers())[4])}));
    ASSERT_TRUE(landscapePicker);
    EXPECT_EQ(landscapePicker->tableView()->frame(), CGRectMake(0, 0, 667, 260));
}

struct StoredTone {
    const char* name;
    Value file;
    const char* marks;
    long previousRow; // -1: none
    friend void PrintTo(const StoredTone& stored, std::ostream* out) { *out << stored.name; }
};

class StoredToneTest : public SkintonePickerTest, public ::testing::WithParamInterface<StoredTone> {};

TEST_P(StoredToneTest, MarksTheRowOfTheStoredTone) {
    if (!GetParam().file.isNil()) writeSkintone(GetParam().file);
    ConfigureSession configure;
    EXPECT_EQ(configure.marks(), GetParam().marks);
    auto previous = configure.picker()->previousIndexPath();
    EXPECT_EQ(previous ? previous->row() : -1, GetParam().previousRow);
}

Value withTone(const Value& tone) { return Value::dictionary({{"ST", tone}, {"shouldUpdateSkintone", true}}); }

// A text or a number names the tone by its leading integer; a tone outside
// 0 to 5 marks no row; anything else in "ST" counts as no tone.
INSTANTIATE_TEST_SUITE_P(
    Files, StoredToneTest,
    ::testing::Values(
        StoredTone{"NoFile", Value(), "222 111 111 111 111 111", 0},
        StoredTone{"NoToneKey", Value::dictionary({{"shouldUpdateSkintone", true}}), "222 111 111 111 111 111", 0},
        StoredTone{"ArrayFile", Value::array({Value("3")}), "222 111 111 111 111 111", 0},
        StoredTone{"Three", withTone("3"), "111 111 111 222 111 111", 3},
        StoredTone{"Five", withTone("5"), "111 111 111 111 111 222", 5},
        StoredTone{"Seven", withTone("7"), "111 111 111 111 111 111", -1},
        StoredTone{"MinusOne", withTone("-1"), "111 111 111 111 111 111", -1},
        StoredTone{"NoDigits", withTone("dark"), "222 111 111 111 111 111", 0},
        StoredTone{"LeadingSpaceSignAndTail", withTone(" +2 tone"), "111 111 222 111 111 111", 2},
        StoredTone{"Integer", withTone(4), "111 111 111 111 222 111", 4},
        StoredTone{"Real", withTone(1.9), "111 222 111 111 111 111", 1},
        StoredTone{"Dictionary", withTone(Value::dictionary({{"ST", "4"}})), "222 111 111 111 111 111", 0},
        StoredTone{"Array", withTone(Value::array({Value("4")})), "222 111 111 111 111 111", 0},
        StoredTone{"Data", withTone(Value(Data{{'4'}})), "222 111 111 111 111 111", 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SkintonePickerTest, TapWritesToneAndUpdateFlagInOneWriteAndMovesTheMark) {
    ConfigureSession configure;
    FileWriteCounter counter(TemporaryDevice::skintoneFile());
    ASSERT_TRUE(configure.tapTone(4));
    EXPECT_EQ(counter.writes(), 1);
    EXPECT_EQ(skintoneAsJson(), R"({"ST": "4", "shouldUpdateSkintone": true})");
    EXPECT_EQ(configure.marks(), "111 111 111 111 222 111");
    EXPECT_FALSE(configure.picker()->tableView()->indexPathForSelectedRow()) << "no row stays highlighted";
    EXPECT_FALSE(rowCell(*configure.picker(), 4)->isSelected());

    ASSERT_TRUE(configure.tapTone(2));
    ASSERT_TRUE(configure.tapTone(5));
    EXPECT_EQ(counter.writes(), 3);
    EXPECT_EQ(skintoneAsJson(), R"({"ST": "5", "shouldUpdateSkintone": true})");
    EXPECT_EQ(configure.marks(), "111 111 111 111 111 222");
    EXPECT_EQ(configure.picker()->previousIndexPath()->row(), 5);
}

// The file is written again and the flag raised again; no mark is replaced.
TEST_F(SkintonePickerTest, TapOnTheChosenToneRewritesTheFileAndKeepsEveryMark) {
    writeSkintone(Value::dictionary({{"ST", "3"}, {"shouldUpdateSkintone", false}, {"Other", "kept"}}));
    ConfigureSession configure;
    std::vector<std::shared_ptr<UIView>> marksBefore;
    for (long row = 0; row < 6; ++row) marksBefore.push_back(rowCell(*configure.picker(), row)->accessoryView());
    FileWriteCounter counter(TemporaryDevice::skintoneFile());

    ASSERT_TRUE(configure.tapTone(3));
    EXPECT_EQ(counter.writes(), 1);
    EXPECT_EQ(skintoneAsJson(), R"({"Other": "kept", "ST": "3", "shouldUpdateSkintone": true})");
    for (long row = 0; row < 6; ++row) {
        EXPECT_EQ(rowCell(*configure.picker(), row)->accessoryView(), marksBefore[row]) << row;
    }
}

// With a tone that names no row, the first tap marks the tapped row and
// clears none; the next tap moves the mark as usual.
TEST_F(SkintonePickerTest, OutOfRangeToneFirstTapOnlyMarks) {
    writeSkintone(Value::dictionary({{"ST", "7"}, {"Other", 1}}));
    ConfigureSession configure;
    ASSERT_FALSE(configure.picker()->previousIndexPath());
    ASSERT_TRUE(configure.tapTone(2));
    EXPECT_EQ(configure.marks(), "111 111 222 111 111 111");
    ASSERT_TRUE(configure.tapTone(0));
    EXPECT_EQ(configure.marks(), "222 111 111 111 111 111");
    EXPECT_EQ(skintoneAsJson(), R"({"Other": 1, "ST": "0", "shouldUpdateSkintone": true})");
}

TEST_F(SkintonePickerTest, TapOverAnArrayFileWritesADictionaryOfTheTwoKeys) {
    writeSkintone(Value::array({Value("ST")}));
    ConfigureSession configure;
    ASSERT_TRUE(configure.tapTone(1));
    EXPECT_EQ(skintoneAsJson(), R"({"ST": "1", "shouldUpdateSkintone": true})");
}

// Nothing is cached: rows drawn again show what the file holds now, and a
// page opened later shows the tone chosen before.
TEST_F(SkintonePickerTest, RowsAreDrawnFromTheFileAsItStandsNow) {
    {
        ConfigureSession configure;
        ASSERT_TRUE(configure.tapTone(4));
        writeSkintone(Value::dictionary({{"ST", "1"}}));
        EXPECT_EQ(configure.marks(), "111 111 111 111 222 111") << "a tap reloads no row";
        configure.picker()->tableView()->reloadData();
        EXPECT_EQ(configure.marks(), "111 222 111 111 111 111");
    }
    writeSkintone(Value::dictionary({{"ST", "4"}}));
    ConfigureSession reopened;
    EXPECT_EQ(reopened.marks(), "111 111 111 111 222 111");
}

TEST(SkintonePickerWithoutImagesTest, MissingImagesLeaveEmptyMarksThatStillWork) {
    TemporaryDevice device(TemporaryDevice::Images::Missing);
    ConfigureSession configure;
    auto mark = std::dynamic_pointer_cast<UIImageView>(rowCell(*configure.picker(), 0)->accessoryView());
    ASSERT_TRUE(mark);
    EXPECT_FALSE(mark->image());
    EXPECT_EQ(mark->frame().size, CGSizeMake(25, 25));
    EXPECT_EQ(mark->tag(), 222);
    ASSERT_TRUE(configure.tapTone(3));
    EXPECT_EQ(rowCell(*configure.picker(), 3)->accessoryView()->tag(), 222);
    EXPECT_EQ(rowCell(*configure.picker(), 0)->accessoryView()->tag(), 111);
}

} // namespace
