#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

// Watches folder trees with inotify on a thread of its own and hands on what
// changed in settled batches. The kernel wakes the thread: with nothing
// changing it sleeps without a timer. A batch is handed on once no event has
// come for a quiet period (or, under a steady stream, once it is `longest`
// old), so that an editor's save (a scratch file written, then renamed over
// the old one) or a checkout of many files makes one batch that names each
// file once. A file made and gone again within a batch is not named; hidden
// files and editors' backups never are. Symbolic links are never followed.
// A watched tree that vanishes is named, and watched again when it returns.
//
// The handlers run on the watcher thread: they must touch nothing that
// belongs to another thread.
class FolderWatcher {
public:
    using Batch = std::vector<std::filesystem::path>; // host paths, in the order first seen
    struct Timing {
        std::chrono::milliseconds quiet{50};
        std::chrono::milliseconds longest{250};
    };

    // `deliver` gets each batch.
    explicit FolderWatcher(std::function<void(Batch)> deliver);
    FolderWatcher(std::function<void(Batch)> deliver, Timing timing);
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // Before start: `root` and every folder under it.
    void watchTree(const std::filesystem::path& root);
    // Before start: runs with each settled batch before it is delivered; the
    // files it writes into watched folders join that batch.
    void setPrepare(std::function<void(const Batch&)> prepare) { _prepare = std::move(prepare); }

    // False with `error` set when inotify is not available.
    bool start(std::string& error);
    void stop();

    std::size_t watchedFolderCount() const { return _watchedCount; }

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        bool existedBefore = false;
        std::size_t order = 0;
    };

    void run();
    void readAvailable();
    void handle(int descriptor, std::uint32_t mask, const std::string& name);
    void addWatches(const std::filesystem::path& folder, bool reportFiles);
    void record(const std::filesystem::path& path, bool created);
    bool isWatched(const std::filesystem::path& path) const;
    int millisecondsUntilFlush() const;
    void flush();

    std::function<void(Batch)> _deliver;
    std::function<void(const Batch&)> _prepare;
    Timing _timing;
    std::vector<std::filesystem::path> _roots;
    int _inotify = -1;
    int _wake = -1;
    std::thread _thread;
    struct Watch {
        std::filesystem::path path;
        std::uint64_t inode = 0;
    };
    void watch(const std::filesystem::path& folder);
    void watchForReturn(const std::filesystem::path& root);

    std::map<int, Watch> _watches; // watcher thread only, once started
    std::atomic<std::size_t> _watchedCount = 0;
    std::map<std::filesystem::path, Pending> _pending;
    Clock::time_point _batchStarted;
    Clock::time_point _lastEvent;
};
