#include "preview/StateFeed.h"

#include "preview/PreferenceFiles.h"
#include "preview/ViewTreeEncoder.h"

StateFeed::~StateFeed() {
    if (_observer) RunLoop::main().removeObserver(_observer);
}

void StateFeed::start() {
    _subscription = ActivityMonitor::shared().subscribe([this](const auto& activity) { heard(activity); });
    _observer = RunLoop::main().addObserver([this](const RunLoop::Pass& pass) { afterPass(pass); });
    publishNow();
}

void StateFeed::heard(const ActivityMonitor::Activity& activity) {
    _newEvents.push_back(EventLog::eventFor(activity));
    if (activity.kind == ActivityKind::File) _filesStale = true;
    _unpublished = true;
}

// Work handed over by the server publishes itself; a timer that fired may
// have changed the screen, and anything heard since the last publish must go out.
void StateFeed::afterPass(const RunLoop::Pass& pass) {
    if (pass.timersFired > 0) _unpublished = true;
    if (_unpublished) publishNow();
}

std::uint64_t StateFeed::publishNow() {
    if (_filesStale || !_files) {
        _files = std::make_shared<const nlohmann::json>(PreferenceFiles::snapshot());
        _filesStale = false;
    }
    const auto& window = _app.window();
    window->layoutIfNeeded();
    StatePublisher::Frame frame{ViewTreeEncoder::encode(*window).dump(), _files, _app.deviceState(),
                                RunLoop::main().now()};
    _unpublished = false;
    return _publisher.publish(std::move(frame), std::exchange(_newEvents, {}),
                              std::exchange(_log, StatePublisher::Log::Kept));
}

void StateFeed::clearEvents() {
    _newEvents.clear();
    _log = StatePublisher::Log::Cleared;
    _unpublished = true;
}
