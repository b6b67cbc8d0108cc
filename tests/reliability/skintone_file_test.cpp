// The skin-tone file as a user's disk may hold it, through the picker under
// the configure page: whatever it holds, the picker draws its six rows, takes
// a tap, says nothing, and marks the tone the file's "ST" amounts to.
#include "configure/VimbleSkintoneCell.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PageStates.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const std::string kSkintoneFile = VimbleFiles::skintoneFilePath();
const Value kToneThree = Value::dictionary({{"ST", "3"}, {"shouldUpdateSkintone", true}});
constexpr long kTappedTone = 4;

// The marks as first drawn, then after a tap on row 4: "marks / marks".
std::string pickerStory() {
    PanelSession session("VimbleConfigureController");
    TableSweep::drawEveryRow(session);
    session.scroll(-TableSweep::pageTable(session)->contentSize().height);
    std::string story = PageStates::pickerMarks(session);
    if (!PageStates::tapTone(session, kTappedTone)) return story + " / no row to tap";
    return story + " / " + PageStates::pickerMarks(session);
}

const std::string kAfterTap = "111 111 111 111 222 111";
const Value kWrittenByTap = Value::dictionary({{"ST", "4"}, {"shouldUpdateSkintone", true}});

class UnreadableSkintoneFile : public ::testing::TestWithParam<HostileFile> {
protected:
    void SetUp() override { GetParam().place(device, kSkintoneFile); }
    TemporaryDevice device;
};

TEST_P(UnreadableSkintoneFile, PickerMarksThePlainFormsAndATapWritesOnlyItsTwoKeys) {
    PanelOutput output;
    std::string story = pickerStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, "222 111 111 111 111 111 / " + kAfterTap);
    EXPECT_EQ(readWithPlistlib(device.hostPath(kSkintoneFile)), R"({"ST": "4", "shouldUpdateSkintone": true})");
}

INSTANTIATE_TEST_SUITE_P(Hostile, UnreadableSkintoneFile, ::testing::ValuesIn(filesReadAsNone(kToneThree)),
                         HostileFileName());

class ReadableSkintoneFile : public UnreadableSkintoneFile {};

TEST_P(ReadableSkintoneFile, PickerMarksTheStoredTone) {
    PanelOutput output;
    std::string story = pickerStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, "111 111 111 222 111 111 / " + kAfterTap);
    EXPECT_EQ(Value(PropertyList::readDictionary(kSkintoneFile)), kWrittenByTap);
}

INSTANTIATE_TEST_SUITE_P(Accepted, ReadableSkintoneFile, ::testing::ValuesIn(filesReadAsContent(kToneThree)),
                         HostileFileName());

// An "ST" of any kind and the row it marks (-1: none). Texts and numbers are
// read by their leading integer as Foundation's intValue reads them; other
// kinds name no tone, and the plain forms are marked.
struct StoredTone {
    std::string name;
    Value value;
    long markedRow;
};

void PrintTo(const StoredTone& tone, std::ostream* out) { *out << tone.name; }

std::vector<StoredTone> storedTones() {
    return {
        {"TextThree", Value("3"), 3},
        {"TextSpaceFour", Value(" 4"), 4},
        {"TextPlusTwo", Value("+2"), 2},
        {"TextThreeAbc", Value("3abc"), 3},
        {"TextMinusOne", Value("-1"), -1},
        {"TextSeven", Value("7"), -1},
        {"TextHuge", Value("99999999999999999999"), -1},
        {"TextWithoutNumber", Value("abc"), 0},
        {"TextEmpty", Value(""), 0},
        {"TextArabicIndicThree", Value("\u0663"), 0},
        {"IntegerThree", Value(3), 3},
        {"IntegerSeven", Value(7), -1},
        {"IntegerLargest", Value(std::numeric_limits<std::int64_t>::max()), -1},
        {"RealTwoPointNine", Value(2.9), 2},
        {"RealNotANumber", Value(std::numeric_limits<double>::quiet_NaN()), 0},
        {"RealInfinity", Value(std::numeric_limits<double>::infinity()), -1},
        {"BooleanTrue", Value(true), 1},
        {"Dictionary", Value::dictionary({{"ST", "3"}}), 0},
        {"Array", Value::array({Value("3")}), 0},
        {"Date", Value(Date{}), 0},
        {"Data", Value(Data{{'3'}}), 0},
    };
}

std::string marksWithActiveRow(long row) {
    std::string text;
    for (long index = 0; index < VimbleSkintoneCell::kToneCount; ++index) {
        text += (index ? " " : "") + std::string(index == row ? "222" : "111");
    }
    return text;
}

class StoredSkintoneValue : public ::testing::TestWithParam<StoredTone> {
protected:
    TemporaryDevice device;
};

// With no tone marked, the tap marks its row and clears none; a further key
// of the file stays.
TEST_P(StoredSkintoneValue, PickerMarksItsRowAndATapStoresTheTappedTone) {
    ASSERT_TRUE(PropertyList::write(Value::dictionary({{"ST", GetParam().value}, {"Other", 1}}), kSkintoneFile));
    PanelOutput output;
    std::string story = pickerStory();
    EXPECT_EQ(output.finish(), "");
    EXPECT_EQ(story, marksWithActiveRow(GetParam().markedRow) + " / " + kAfterTap);
    EXPECT_EQ(Value(PropertyList::readDictionary(kSkintoneFile)),
              Value::dictionary({{"ST", "4"}, {"shouldUpdateSkintone", true}, {"Other", 1}}));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, StoredSkintoneValue, ::testing::ValuesIn(storedTones()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace
