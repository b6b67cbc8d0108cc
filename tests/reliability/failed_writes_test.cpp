// A write that cannot finish: a file-size limit stops it part way, as a full
// disk or the writer's death would. The
// panel ignores the failure, as it ignores every write's result: the old file
// stays whole, nothing is said, and each page shows what it shows after a
// failed write: the change on screen until the page next reads the file,
// then the file's state.
#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "support/PanelSession.h"
#include "support/TableSweep.h"
#include "support/TemporaryDevice.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Marks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
const char* const kFavoritesFile = "/var/mobile/Library/Preferences/com.korvent.vimble.plist";

std::string rootState(const PanelSession& session) {
    return std::string(session.switchOfRow("Enable")->isOn() ? "on" : "off") + (session.shows("Configure") ? " shown" : " hidden");
}

// The marks of the first three emoji rows, as drawn now: "111 222 222".
std::string firstMarks(const PanelSession& session) {
    std::string marks;
    for (long row = 0; row < 3; ++row) {
        marks += (row ? " " : "") + markOf(TableSweep::pageTable(session)->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0)));
    }
    return marks;
}

std::string flipRoot() {
    std::string story;
    {
        PanelSession session;
        story = rootState(session);
        session.tapSwitch("Enable");
        story += " / " + rootState(session);
    }
    PanelSession again;
    return story + " / reopened " + rootState(again);
}

std::string tapFirstEmoji() {
    PanelSession session("VimbleSelectController");
    std::string story = firstMarks(session);
    session.tap("😀");
    story += " / " + firstMarks(session);
    // Scrolled away and back, the first rows are built anew from the file.
    CGFloat far = TableSweep::pageTable(session)->bounds().height() * 3;
    session.scroll(far);
    session.scroll(-far);
    return story + " / redrawn " + firstMarks(session);
}

struct Scenario {
    std::string name;
    std::string file;
    Value old;
    std::function<std::string()> act;
    std::string shownWithOldFile;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

std::vector<Scenario> scenarios() {
    return {
        // The row and the switch follow the flip: the table keeps the
        // switch's cell when it inserts or removes the row.
        {"FlipEnable", kSettingsFile, Value::dictionary({{"Enabled", false}, {"Skintone", true}}), flipRoot,
         "off hidden / on shown / reopened off hidden"},
        {"ChooseEmoji", kFavoritesFile, Value::array({Value("😬")}), tapFirstEmoji,
         "111 222 111 / 222 222 111 / redrawn 111 222 111"},
    };
}

// What the act showed, whether anything was said, how its writes went, and
// what now stands at the file's place and beside it.
std::string runAndDescribe(const Scenario& scenario) {
    PanelOutput output;
    std::string story = scenario.act();
    std::string said = output.finish();
    if (!said.empty()) story += " / said: " + said;
    for (const auto& written : output.filesWritten()) story += " / write " + written.substr(written.rfind(' ') + 1);
    auto host = Device::shared().hostPath(scenario.file);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(host.parent_path())) ++entries;
    story += PropertyList::read(scenario.file) == scenario.old ? " / old file whole" : " / old file changed";
    return story + " / " + std::to_string(entries) + " in the directory";
}

class FailedWrite : public ::testing::TestWithParam<Scenario> {
protected:
    TemporaryDevice device;
};

TEST_P(FailedWrite, AWriteStoppedPartWayLeavesTheOldFileWhole) {
    ASSERT_TRUE(PropertyList::write(GetParam().old, GetParam().file));
    std::string story;
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.limited());
        story = runAndDescribe(GetParam());
    }
    EXPECT_EQ(story, GetParam().shownWithOldFile + " / write failed / old file whole / 1 in the directory");
}

INSTANTIATE_TEST_SUITE_P(EveryPage, FailedWrite, ::testing::ValuesIn(scenarios()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace
