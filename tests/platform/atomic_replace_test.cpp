// The replace of a settings file is atomic, proven from what the kernel saw
// rather than by racing a reader: inotify reports every change in the
// directory, in order and by name. A reader opens whatever the target's name
// points at, so if the name only ever arrives by renaming a file that was
// written and closed before, no reader can find it missing or partial, at
// any moment, however the threads are scheduled.
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace {

const std::string kFile = "/var/mobile/Library/Preferences/com.example.atomic.plist";
const std::string kName = "com.example.atomic.plist";

// Every change of a directory's entries since the last `take`, in order.
class DirectoryWatch {
public:
    struct Event {
        std::uint32_t mask;
        std::uint32_t cookie;
        std::string name;
    };
    static constexpr std::uint32_t kChanges =
        IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO;

    explicit DirectoryWatch(const std::filesystem::path& directory) : _descriptor(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        _watching = _descriptor >= 0 && ::inotify_add_watch(_descriptor, directory.c_str(), kChanges) >= 0;
    }
    ~DirectoryWatch() { ::close(_descriptor); }
    bool watching() const { return _watching; }

    std::vector<Event> take() {
        std::vector<Event> events;
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t length; (length = ::read(_descriptor, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                events.push_back({event->mask, event->cookie, event->len ? std::string(event->name) : std::string()});
                at += sizeof(inotify_event) + event->len;
            }
        }
        EXPECT_EQ(errno, EAGAIN) << std::strerror(errno);
        return events;
    }

private:
    int _descriptor;
    bool _watching = false;
};

std::string kindOf(std::uint32_t mask) {
    static const std::map<std::uint32_t, std::string> kNames{
        {IN_CREATE, "CREATE"},   {IN_DELETE, "DELETE"},         {IN_MODIFY, "MODIFY"},     {IN_ATTRIB, "ATTRIB"},
        {IN_CLOSE_WRITE, "CLOSE_WRITE"}, {IN_MOVED_FROM, "MOVED_FROM"}, {IN_MOVED_TO, "MOVED_TO"}, {IN_Q_OVERFLOW, "OVERFLOW"}};
    auto found = kNames.find(mask & (DirectoryWatch::kChanges | IN_Q_OVERFLOW));
    return found == kNames.end() ? "OTHER" : found->second;
}

// What happened to the target's name, in order ("MOVED_TO(closed)"): a file
// renamed onto it is "closed" when its last change before the rename was its
// close after writing.
std::string storyOfTarget(const std::vector<DirectoryWatch::Event>& events) {
    std::map<std::string, std::uint32_t> lastChange;
    std::map<std::uint32_t, std::uint32_t> lastChangeOfMoved;
    std::string story;
    for (const auto& event : events) {
        if (event.mask & IN_MOVED_FROM) lastChangeOfMoved[event.cookie] = lastChange[event.name];
        if (event.name != kName || event.mask & IN_Q_OVERFLOW) {
            lastChange[event.name] = event.mask;
            if (event.mask & IN_Q_OVERFLOW) story += " OVERFLOW";
            continue;
        }
        story += " " + kindOf(event.mask);
        if (event.mask & IN_MOVED_TO) story += lastChangeOfMoved[event.cookie] == IN_CLOSE_WRITE ? "(closed)" : "(unfinished)";
    }
    return story.empty() ? "untouched" : story.substr(1);
}

std::size_t entriesIn(const std::filesystem::path& directory) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
    return count;
}

Value listOf(std::size_t count, const std::string& text) { return Value::array(std::vector<Value>(count, Value(text))); }

struct Step {
    std::string name;
    Value value;
    bool stoppedPartWay;
    std::string expected; // what was answered, what the name saw, what a reader then finds, what lies beside it
};

TEST(AtomicReplaceTest, TheTargetOnlyEverArrivesWholeByRename) {
    TemporaryDevice device;
    auto directory = device.hostPath(kFile).parent_path();
    DirectoryWatch watch(directory);
    ASSERT_TRUE(watch.watching());
    Value latest;
    const std::vector<Step> steps{
        {"first write", listOf(3, "😀"), false, "written / MOVED_TO(closed) / reads the new list / 1 entry"},
        {"longer", listOf(40, "🙂"), false, "written / MOVED_TO(closed) / reads the new list / 1 entry"},
        {"shorter", listOf(1, "👍"), false, "written / MOVED_TO(closed) / reads the new list / 1 entry"},
        {"stopped part way", listOf(200, "🚀"), true, "failed / untouched / reads the old list / 1 entry"},
        {"after the failure", listOf(2, "🎉"), false, "written / MOVED_TO(closed) / reads the new list / 1 entry"},
    };
    for (const auto& step : steps) {
        std::optional<FileSizeLimit> limit;
        if (step.stoppedPartWay) limit.emplace(64);
        ASSERT_TRUE(!limit || limit->limited());
        bool written = PropertyList::write(step.value, kFile);
        limit.reset();
        std::string story = storyOfTarget(watch.take());
        Value read = PropertyList::read(kFile);
        std::string reads = read == step.value ? "the new list" : read == latest && !read.isNil() ? "the old list" : "neither";
        if (written) latest = step.value;
        std::string count = std::to_string(entriesIn(directory)) + " entr" + (entriesIn(directory) == 1 ? "y" : "ies");
        EXPECT_EQ((written ? "written / " : "failed / ") + story + " / reads " + reads + " / " + count, step.expected)
            << step.name;
    }
}

} // namespace
