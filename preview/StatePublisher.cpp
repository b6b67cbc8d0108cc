#include "preview/StatePublisher.h"

std::uint64_t StatePublisher::publish(Frame frame, std::vector<EventLog::Event> newEvents, Log log) {
    std::lock_guard lock(_mutex);
    _snapshot.clock = frame.clock;
    _publishedAt = std::chrono::steady_clock::now();
    bool changed = updateParts(frame) || !newEvents.empty() || log == Log::Cleared || _snapshot.version == 0;
    if (log == Log::Cleared) _events.clear();
    for (auto& event : newEvents) _events.add(std::move(event));
    if (!changed) return _snapshot.version;
    ++_snapshot.version;
    _changed.notify_all();
    return _snapshot.version;
}

// Takes over the parts that differ from the published ones; true when any did.
bool StatePublisher::updateParts(Frame& frame) {
    bool changed = false;
    if (frame.window != *_snapshot.window) {
        _snapshot.window = std::make_shared<const std::string>(std::move(frame.window));
        changed = true;
    }
    if (frame.files != _snapshot.files && *frame.files != *_snapshot.files) {
        _snapshot.files = std::move(frame.files);
        changed = true;
    }
    if (frame.device != *_snapshot.device) {
        _snapshot.device = std::make_shared<const nlohmann::json>(std::move(frame.device));
        changed = true;
    }
    return changed;
}

StatePublisher::Snapshot StatePublisher::snapshotNow() const {
    Snapshot copy = _snapshot;
    copy.clock += std::chrono::duration<double>(std::chrono::steady_clock::now() - _publishedAt).count();
    return copy;
}

StatePublisher::Snapshot StatePublisher::current() const {
    std::lock_guard lock(_mutex);
    return snapshotNow();
}

StatePublisher::Snapshot StatePublisher::current(EventLog::Position position, Events& events) const {
    std::lock_guard lock(_mutex);
    events = {_events.entriesFrom(position), _events.startFor(position), _events.count(), _events.generation()};
    return snapshotNow();
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
