#include "preview/FolderWatcher.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <fstream>
#include <mutex>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A watched folder, and the batches the watcher delivered, each as one string.
class FolderWatcherTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("folder-watcher-" + std::to_string(::getpid()) + "-" +
                                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::mutex mutex;
    std::condition_variable delivered;
    std::vector<std::string> batches;
    FolderWatcher watcher{[this](FolderWatcher::Batch batch) { keep(batch); }, {50ms, 250ms}};

    void SetUp() override {
        fs::create_directories(folder / "Lamp.bundle");
        watcher.watchTree(folder);
        std::string error;
        ASSERT_TRUE(watcher.start(error)) << error;
    }
    void TearDown() override {
        watcher.stop();
        fs::remove_all(folder);
    }

    void keep(const FolderWatcher::Batch& batch) {
        std::string names;
        for (const auto& path : batch) names += (names.empty() ? "" : " ") + path.lexically_relative(folder).string();
        std::lock_guard lock(mutex);
        batches.push_back(names);
        delivered.notify_all();
    }
    // The batches delivered until none has come for half a second.
    std::vector<std::string> settled() {
        std::unique_lock lock(mutex);
        std::size_t seen = SIZE_MAX;
        while (seen != batches.size()) {
            seen = batches.size();
            delivered.wait_for(lock, 500ms);
        }
        return std::exchange(batches, {});
    }
    void write(const std::string& name, const std::string& bytes = "x") {
        fs::create_directories((folder / name).parent_path());
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
};

using Batches = std::vector<std::string>;

TEST_F(FolderWatcherTest, AnEditorsSaveIsOneBatchNamingTheFileOnce) {
    write("Lamp.bundle/Root.plist", "old");
    ASSERT_EQ(settled(), Batches{"Lamp.bundle/Root.plist"});
    // As editors save: a probe file made and removed, a backup, a scratch copy renamed over the file.
    write("Lamp.bundle/4913");
    fs::remove(folder / "Lamp.bundle/4913");
    write("Lamp.bundle/Root.plist~", "old");
    write("Lamp.bundle/.Root.plist.swp");
    write("Lamp.bundle/Root.plist.tmp", "new");
    fs::rename(folder / "Lamp.bundle/Root.plist.tmp", folder / "Lamp.bundle/Root.plist");
    EXPECT_EQ(settled(), Batches{"Lamp.bundle/Root.plist"});
}

TEST_F(FolderWatcherTest, ManyFilesAtOnceAndANewFolderAreOneBatch) {
    write("Lamp.bundle/Root.plist");
    write("Lamp.bundle/Child.plist");
    fs::create_directories(folder / "staging/en.lproj");
    std::ofstream(folder / "staging/en.lproj/Root.strings") << "x";
    fs::rename(folder / "staging", folder / "Lamp.bundle/Resources");
    EXPECT_EQ(settled(), Batches{"Lamp.bundle/Root.plist Lamp.bundle/Child.plist Lamp.bundle/Resources "
                                 "Lamp.bundle/Resources/en.lproj Lamp.bundle/Resources/en.lproj/Root.strings"});
    // The folder that arrived whole is watched too, under its new name.
    write("Lamp.bundle/Resources/Root.plist");
    write("Lamp.bundle/Resources/en.lproj/Root.strings", "y");
    EXPECT_EQ(settled(), Batches{"Lamp.bundle/Resources/Root.plist Lamp.bundle/Resources/en.lproj/Root.strings"});
}

TEST_F(FolderWatcherTest, ASteadyStreamIsHandedOnAtTheLongestWait) {
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < 600ms) {
        write("Lamp.bundle/Root.plist");
        std::this_thread::sleep_for(20ms);
    }
    std::size_t count = settled().size();
    EXPECT_GE(count, 2u) << "a save every 20 ms never leaves a quiet period, yet each 250 ms a batch goes out";
    EXPECT_LE(count, 4u);
}

TEST_F(FolderWatcherTest, AWatchedFolderThatVanishesIsNamedAndWatchedAgainWhenItReturns) {
    fs::remove_all(folder);
    EXPECT_EQ(settled(), Batches{"Lamp.bundle ."}) << "the folder itself is named";
    fs::create_directories(folder);
    write("Root.plist");
    EXPECT_EQ(settled().size(), 1u);
    write("Root.plist", "again");
    EXPECT_EQ(settled(), Batches{"Root.plist"});
}

} // namespace
