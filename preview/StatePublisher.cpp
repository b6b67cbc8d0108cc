#include "preview/StatePublisher.h"

std::uint64_t StatePublisher::publish(nlohmann::json window, nlohmann::json files, nlohmann::json device,
                                      nlohmann::json events, double runLoopNow) {
    std::lock_guard lock(_mutex);
    _snapshot.clock = runLoopNow;
    _publishedAt = std::chrono::steady_clock::now();
    bool changed = _snapshot.version == 0 || window != _snapshot.window || files != _snapshot.files ||
                   device != _snapshot.device || events != _snapshot.events;
    if (!changed) return _snapshot.version;
    _snapshot.window = std::move(window);
    _snapshot.files = std::move(files);
    _snapshot.device = std::move(device);
    _snapshot.events = std::move(events);
    ++_snapshot.version;
    _changed.notify_all();
    return _snapshot.version;
}

StatePublisher::Snapshot StatePublisher::current() const {
    std::lock_guard lock(_mutex);
    Snapshot copy = _snapshot;
    copy.clock += std::chrono::duration<double>(std::chrono::steady_clock::now() - _publishedAt).count();
    return copy;
}

bool StatePublisher::waitForNewerThan(std::uint64_t since, std::chrono::milliseconds timeout) {
    std::unique_lock lock(_mutex);
    _changed.wait_for(lock, timeout, [&] { return _shutDown || _snapshot.version > since; });
    return !_shutDown && _snapshot.version > since;
}

void StatePublisher::shutDown() {
    std::lock_guard lock(_mutex);
    _shutDown = true;
    _changed.notify_all();
}
