// The favourites file under a reader that races its writer: a write goes to
// a temporary file that is renamed over the old one, so the file is always
// one whole state that was written, never a part of one, never absent.
#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/WriteSeries.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace {

const std::string kFavoritesFile = VimbleFiles::favoritesFilePath();
constexpr std::size_t kRacedWrites = 2'000;

// The device root for the racing test lies in memory when it can: flushing
// to disk costs milliseconds per write and changes nothing of what another
// process sees, which the rename alone decides.
class MemoryBackedDevice {
public:
    MemoryBackedDevice() {
        std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "vimble-race-XXXXXX").string();
        _root = ::mkdtemp(pattern.data());
        Device::shared().setRootDirectory(_root);
    }
    ~MemoryBackedDevice() { std::filesystem::remove_all(_root); }

private:
    std::filesystem::path _root;
};

struct ReaderCounts {
    long reads = 0;
    long torn = 0;
    long missing = 0;
};

// Reads the file whole, as the add-on would, until `stop` is closed.
[[noreturn]] void readUntilClosed(int stop, int report) {
    ReaderCounts counts;
    std::string host = Device::shared().hostPath(kFavoritesFile).string();
    pollfd closed{stop, POLLIN, 0};
    while (::poll(&closed, 1, 0) == 0) {
        ++counts.reads;
        if (::access(host.c_str(), F_OK) != 0) {
            ++counts.missing;
            continue;
        }
        if (!WriteSeries::indexOf(PropertyList::read(kFavoritesFile))) ++counts.torn;
    }
    ssize_t written = ::write(report, &counts, sizeof counts);
    ::_exit(written == sizeof counts ? 0 : 1);
}

TEST(CrashConsistencyTest, AReaderNeverSeesATornOrMissingFileWhile2000WritesHappen) {
    MemoryBackedDevice device;
    ASSERT_TRUE(PropertyList::write(WriteSeries::state(0), kFavoritesFile));
    int stop[2];
    int report[2];
    ASSERT_EQ(::pipe(stop), 0);
    ASSERT_EQ(::pipe(report), 0);
    pid_t reader = ::fork();
    ASSERT_GE(reader, 0);
    if (reader == 0) {
        ::close(stop[1]);
        readUntilClosed(stop[0], report[1]);
    }
    ::close(stop[0]);
    std::size_t failedWrites = 0;
    for (std::size_t index = 1; index <= kRacedWrites; ++index) {
        failedWrites += PropertyList::write(WriteSeries::state(index), kFavoritesFile) ? 0 : 1;
    }
    ::close(stop[1]);
    ReaderCounts counts;
    ASSERT_EQ(::read(report[0], &counts, sizeof counts), static_cast<ssize_t>(sizeof counts));
    ::waitpid(reader, nullptr, 0);
    ::close(report[0]);
    ::close(report[1]);

    EXPECT_EQ(failedWrites, 0u);
    EXPECT_EQ(counts.torn, 0);
    EXPECT_EQ(counts.missing, 0);
    EXPECT_GT(counts.reads, 1000) << "the reader hardly ran";
    EXPECT_EQ(WriteSeries::indexOf(PropertyList::read(kFavoritesFile)), kRacedWrites);
    std::cout << "[ figures  ] " << kRacedWrites << " writes raced by " << counts.reads << " reads: " << counts.torn
              << " torn, " << counts.missing << " missing\n";
    RecordProperty("racedReads", static_cast<int>(counts.reads));
}

} // namespace
