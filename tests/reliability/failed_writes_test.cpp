// Writes that cannot happen: a directory standing where the file goes, a
// disk that is full, a file-size limit that stops the write part way. The
// panel ignores the failure, as it ignores every write's result: the old file
// stays whole, nothing is said, and each page shows what it shows after a
// failed write: the change on screen until the page next reads the file,
// then the file's state.
#include "catalog/VimbleCharManager.h"
#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/reliability/PageStates.h"
#include "tests/reliability/PanelOutput.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

std::string people(std::size_t index) { return VimbleCharManager::sharedInstance()->peopleEmoji().at(index); }

// The marks of the first three emoji rows, as drawn now: "111 222 222".
std::string firstMarks(const PanelSession& session) {
    std::string marks;
    for (const auto& row : TableSweep::visibleRows(*TableSweep::pageTable(session))) {
        if (row.section != 0 || row.row > 2) continue;
        marks += (marks.empty() ? "" : " ") + std::to_string(row.accessoryTag);
    }
    return marks;
}

// Scrolls the first rows away and back, so that their cells are built anew.
void redraw(PanelSession& session) {
    CGFloat far = TableSweep::pageTable(session)->bounds().height() * 3;
    session.scroll(far);
    session.scroll(-far);
}

std::string flipRoot() {
    std::string story;
    {
        PanelSession session;
        story = PageStates::root(session);
        session.tapSwitch("Enable");
        story += " / " + PageStates::root(session);
    }
    PanelSession again;
    return story + " / reopened " + PageStates::root(again);
}

std::string flipSkintoneSwitch() {
    std::string story;
    {
        PanelSession session("VimbleConfigureController");
        story = PageStates::skintoneSwitch(session);
        session.tapSwitch("Set Default Skin Tone");
        story += " / " + PageStates::skintoneSwitch(session);
    }
    PanelSession again("VimbleConfigureController");
    return story + " / reopened " + PageStates::skintoneSwitch(again);
}

std::string tapToneFour() {
    std::string story;
    {
        PanelSession session("VimbleConfigureController");
        story = PageStates::pickerMarks(session);
        PageStates::tapTone(session, 4);
        story += " / " + PageStates::pickerMarks(session);
    }
    PanelSession again("VimbleConfigureController");
    return story + " / reopened " + PageStates::pickerMarks(again);
}

std::string tapFirstEmoji() {
    PanelSession session("VimbleSelectController");
    std::string story = firstMarks(session);
    session.tap(people(0));
    story += " / " + firstMarks(session);
    redraw(session);
    return story + " / redrawn " + firstMarks(session);
}

std::string emptyTheTrash() {
    PanelSession session("VimbleSelectController");
    std::string story = firstMarks(session);
    session.tap("Trash");
    return story + " / trash " + firstMarks(session);
}

struct Scenario {
    std::string name;
    std::string file;
    Value old;
    std::function<std::string()> act;
    std::string shownWithOldFile;
    std::string shownWithDirectory;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

std::vector<Scenario> scenarios() {
    const Value settings = Value::dictionary({{"Enabled", false}, {"Skintone", true}});
    return {
        // The row and the switch follow the flip: the table keeps the
        // switch's cell when it inserts or removes the row.
        {"FlipEnable", VimbleFiles::settingsFilePath(), settings, flipRoot,
         "off hidden / on shown / reopened off hidden", "on shown / off hidden / reopened on shown"},
        {"FlipSkintone", VimbleFiles::settingsFilePath(), settings, flipSkintoneSwitch, "on / off / reopened on",
         "off / on / reopened off"},
        {"TapTone", VimbleFiles::skintoneFilePath(), Value::dictionary({{"ST", "3"}, {"shouldUpdateSkintone", true}}),
         tapToneFour, "111 111 111 222 111 111 / 111 111 111 111 222 111 / reopened 111 111 111 222 111 111",
         "222 111 111 111 111 111 / 111 111 111 111 222 111 / reopened 222 111 111 111 111 111"},
        {"ChooseEmoji", VimbleFiles::favoritesFilePath(), Value::array({Value(people(1))}), tapFirstEmoji,
         "111 222 111 / 222 222 111 / redrawn 111 222 111", "111 111 111 / 222 111 111 / redrawn 111 111 111"},
        {"EmptyTheTrash", VimbleFiles::favoritesFilePath(), Value::array({Value(people(1)), Value(people(2))}),
         emptyTheTrash, "111 222 222 / trash 111 222 222", "111 111 111 / trash 111 111 111"},
    };
}

// What the act showed, whether anything was said, how its writes went, and
// what now stands at the file's place and beside it.
std::string runAndDescribe(const Scenario& scenario, const std::string& oldBytes) {
    PanelOutput output;
    std::string story = scenario.act();
    std::string said = output.finish();
    if (!said.empty()) story += " / said: " + said;
    for (const auto& written : output.filesWritten()) story += " / write " + written.substr(written.rfind(' ') + 1);
    auto host = Device::shared().hostPath(scenario.file);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(host.parent_path())) ++entries;
    bool whole = oldBytes.empty() ? std::filesystem::is_directory(host)
                                  : !std::filesystem::is_directory(host) && PropertyList::xmlData(scenario.old) == oldBytes &&
                                        PropertyList::read(scenario.file) == scenario.old;
    story += whole ? " / old file whole" : " / old file changed";
    return story + " / " + std::to_string(entries) + " in the directory";
}

const std::string kFailedOnce = " / write failed / old file whole / 1 in the directory";

class FailedWrite : public ::testing::TestWithParam<Scenario> {
protected:
    std::string writeOldFile() {
        EXPECT_TRUE(PropertyList::write(GetParam().old, GetParam().file));
        return PropertyList::xmlData(GetParam().old);
    }
    TemporaryDevice device;
};

TEST_P(FailedWrite, ADirectoryWhereTheFileGoesStays) {
    std::filesystem::create_directories(device.hostPath(GetParam().file));
    EXPECT_EQ(runAndDescribe(GetParam(), ""), GetParam().shownWithDirectory + kFailedOnce);
}

// Every write of the process stops after a few bytes with EFBIG, as one on a
// full disk stops with ENOSPC; no privileges are needed for it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &_saved);
        rlimit limited{bytes, _saved.rlim_max};
        _limited = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
        _previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &_saved);
        std::signal(SIGXFSZ, _previousHandler);
    }
    bool limited() const { return _limited; }

private:
    rlimit _saved{};
    bool _limited = false;
    void (*_previousHandler)(int) = nullptr;
};

TEST_P(FailedWrite, AWriteStoppedPartWayLeavesTheOldFileWhole) {
    std::string oldBytes = writeOldFile();
    std::string story;
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.limited());
        story = runAndDescribe(GetParam(), oldBytes);
    }
    EXPECT_EQ(story, GetParam().shownWithOldFile + kFailedOnce);
}

// Writes a file beside the others until the filesystem has no room left.
void fillUp(const std::filesystem::path& directory) {
    std::ofstream filler(directory / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    for (bool room = true; room;) room = static_cast<bool>(filler.write(block.data(), block.size()).flush());
}

// A real full disk: in a child process with a mount namespace of its own, a
// 64 KiB memory filesystem over the preferences directory, filled after the
// old file is written. Skipped where namespaces or mounts are not allowed.
std::optional<std::string> onFullDisk(const Scenario& scenario) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report = "unavailable";
        auto preferences = Device::shared().hostPath(scenario.file).parent_path();
        if (::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount("tmpfs", preferences.c_str(), "tmpfs", 0, "size=64k") == 0 &&
            PropertyList::write(scenario.old, scenario.file)) {
            fillUp(preferences);
            report = runAndDescribe(scenario, PropertyList::xmlData(scenario.old));
        }
        ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, got);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (report == "unavailable") return std::nullopt;
    return report + (WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : " / child died");
}

TEST_P(FailedWrite, AFullDiskLeavesTheOldFileWhole) {
    auto story = onFullDisk(GetParam());
    if (!story) GTEST_SKIP() << "no mount namespace for a small filesystem here";
    EXPECT_EQ(*story, GetParam().shownWithOldFile + " / write failed / old file whole / 2 in the directory");
}

INSTANTIATE_TEST_SUITE_P(EveryPage, FailedWrite, ::testing::ValuesIn(scenarios()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace
