#include "preview/FolderWatcher.h"

#include "preview/TweakProject.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

namespace {

// What an editor's save, a copy, a removal or a rename does to a folder.
constexpr std::uint32_t kFolderEvents = IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                        IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW | IN_MASK_ADD;
constexpr std::uint32_t kArrivals = IN_CREATE | IN_MOVED_TO;
constexpr std::size_t kReadBuffer = 64 * 1024;

bool isRealFolder(const fs::path& path) {
    std::error_code status;
    return fs::is_directory(fs::symlink_status(path, status));
}

std::uint64_t inodeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

bool isInside(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

} // namespace

FolderWatcher::FolderWatcher(std::function<void(Batch)> deliver) : FolderWatcher(std::move(deliver), Timing{}) {}

FolderWatcher::FolderWatcher(std::function<void(Batch)> deliver, Timing timing)
    : _deliver(std::move(deliver)), _timing(timing) {}

FolderWatcher::~FolderWatcher() {
    stop();
    if (_inotify >= 0) ::close(_inotify);
    if (_wake >= 0) ::close(_wake);
}

void FolderWatcher::watchTree(const fs::path& root) { _roots.push_back(root.lexically_normal()); }

bool FolderWatcher::start(std::string& error) {
    _inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    _wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (_inotify < 0 || _wake < 0) {
        error = std::string("cannot watch folders: ") + std::strerror(errno);
        return false;
    }
    for (const auto& root : _roots) {
        addWatches(root, /*reportFiles=*/false);
        if (!isRealFolder(root)) watchForReturn(root);
    }
    _watchedCount = _watches.size();
    _thread = std::thread([this] { run(); });
    return true;
}

void FolderWatcher::stop() {
    if (!_thread.joinable()) return;
    std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(_wake, &one, sizeof one);
    _thread.join();
}

void FolderWatcher::run() {
    pollfd descriptors[2] = {{_inotify, POLLIN, 0}, {_wake, POLLIN, 0}};
    for (;;) {
        int timeout = _pending.empty() ? -1 : std::max(0, millisecondsUntilFlush());
        if (::poll(descriptors, 2, timeout) < 0 && errno != EINTR) return;
        if (descriptors[1].revents & POLLIN) return;
        if (descriptors[0].revents & POLLIN) readAvailable();
        if (!_pending.empty() && millisecondsUntilFlush() <= 0) flush();
    }
}

void FolderWatcher::readAvailable() {
    alignas(inotify_event) char buffer[kReadBuffer];
    for (;;) {
        ssize_t length = ::read(_inotify, buffer, sizeof buffer);
        if (length <= 0) return;
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            handle(event->wd, event->mask, event->len ? std::string(event->name) : std::string());
            at += sizeof(inotify_event) + event->len;
        }
    }
}

void FolderWatcher::handle(int descriptor, std::uint32_t mask, const std::string& name) {
    if (mask & IN_Q_OVERFLOW) {
        // Events were lost: every tree counts as changed.
        for (const auto& root : _roots) record(root, false);
        return;
    }
    auto watched = _watches.find(descriptor);
    if (watched == _watches.end()) return;
    if (mask & IN_IGNORED) {
        _watches.erase(watched);
        _watchedCount = _watches.size();
        return;
    }
    if (mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
        const fs::path& folder = watched->second.path;
        if (isWatched(folder)) record(folder, false);
        if (std::find(_roots.begin(), _roots.end(), folder) != _roots.end()) watchForReturn(folder);
        // A folder moved within the trees was watched again under its new name
        // (same descriptor); one moved elsewhere would report under a wrong name.
        if ((mask & IN_MOVE_SELF) && inodeOf(watched->second.path) != watched->second.inode) {
            ::inotify_rm_watch(_inotify, descriptor);
        }
        return;
    }
    fs::path path = watched->second.path / name;
    if (TweakProject::isScratchName(name) || !isWatched(path)) return;
    record(path, (mask & kArrivals) != 0);
    if ((mask & kArrivals) && isRealFolder(path)) addWatches(path, /*reportFiles=*/true);
}

// Watches `folder` and the folders under it. A folder that arrives whole (a
// checkout, a rename) brings files no event named: they are named here.
void FolderWatcher::addWatches(const fs::path& folder, bool reportFiles) {
    if (!isRealFolder(folder)) return;
    watch(folder);
    std::error_code status;
    for (fs::recursive_directory_iterator item(folder, status), end; !status && item != end; item.increment(status)) {
        if (TweakProject::isScratchName(item->path().filename().string())) {
            item.disable_recursion_pending();
            continue;
        }
        if (reportFiles) record(item->path(), true);
        if (isRealFolder(item->path())) watch(item->path());
    }
    _watchedCount = _watches.size();
}

// The parent of a tree that is gone tells when it is made again (or replaced
// by a link). Only then: the parent's other files would wake the thread.
void FolderWatcher::watchForReturn(const fs::path& root) {
    int descriptor = ::inotify_add_watch(_inotify, root.parent_path().c_str(), kFolderEvents);
    if (descriptor >= 0) _watches.try_emplace(descriptor, Watch{root.parent_path(), inodeOf(root.parent_path())});
    _watchedCount = _watches.size();
}

void FolderWatcher::watch(const fs::path& folder) {
    int descriptor = ::inotify_add_watch(_inotify, folder.c_str(), kFolderEvents);
    if (descriptor >= 0) _watches[descriptor] = {folder, inodeOf(folder)};
}

bool FolderWatcher::isWatched(const fs::path& path) const {
    return std::any_of(_roots.begin(), _roots.end(), [&](const fs::path& root) { return isInside(path, root); });
}

void FolderWatcher::record(const fs::path& path, bool created) {
    auto now = Clock::now();
    if (_pending.empty()) _batchStarted = now;
    _lastEvent = now;
    _pending.try_emplace(path, Pending{!created, _pending.size()});
}

int FolderWatcher::millisecondsUntilFlush() const {
    auto due = std::min(_lastEvent + _timing.quiet, _batchStarted + _timing.longest);
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count());
}

void FolderWatcher::flush() {
    auto named = [this] {
        std::vector<std::pair<std::size_t, fs::path>> ordered;
        std::error_code status;
        for (const auto& [path, pending] : _pending) {
            bool existsNow = fs::exists(fs::symlink_status(path, status));
            if (existsNow || pending.existedBefore) ordered.emplace_back(pending.order, path);
        }
        std::sort(ordered.begin(), ordered.end());
        Batch batch;
        for (auto& [order, path] : ordered) batch.push_back(std::move(path));
        return batch;
    };
    if (_prepare) {
        _prepare(named());
        readAvailable(); // the kernel queued the prepare's own writes as they happened
    }
    Batch batch = named();
    _pending.clear();
    if (!batch.empty()) _deliver(std::move(batch));
}
