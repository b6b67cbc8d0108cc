#include "preview/StateFeed.h"

#include "platform/NSTimer.h"
#include "platform/RunLoop.h"
#include "preview/PreferenceFiles.h"
#include "preview/ViewTreeEncoder.h"

StateFeed::~StateFeed() {
    ActivityMonitor::shared().setListener(nullptr);
    if (_timer) _timer->invalidate();
}

void StateFeed::start() {
    ActivityMonitor::shared().setListener([this](const ActivityMonitor::Activity& activity) {
        _events.add(activity);
        if (activity.kind == "file") _filesStale = true;
    });
    _timer = NSTimer::scheduledTimerWithTimeInterval_repeats_block(kTickInterval, /*repeats=*/true, [this](NSTimer&) {
        if (++_ticksSinceFileRead >= kTicksPerFileRefresh) _filesStale = true;
        publishNow();
    });
    publishNow();
}

std::uint64_t StateFeed::publishNow() {
    if (_filesStale) {
        _files = PreferenceFiles::snapshot();
        _filesStale = false;
        _ticksSinceFileRead = 0;
    }
    const auto& window = _app.window();
    window->layoutIfNeeded();
    return _publisher.publish(ViewTreeEncoder::encode(*window), _files, _app.deviceState(), _events.toJson(),
                              RunLoop::main().now());
}

void StateFeed::clearEvents() { _events.clear(); }
