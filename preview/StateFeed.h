#pragma once

#include "platform/ActivityMonitor.h"
#include "platform/RunLoop.h"
#include "preview/EventLog.h"
#include "preview/SettingsApp.h"
#include "preview/StatePublisher.h"

#include <cstdint>
#include <vector>

// Keeps the publisher up to date from the main thread, and does nothing
// while nothing happens. The phone changes only when the main run loop runs
// something: an action from the server publishes at once (`publishNow`);
// what the phone does on its own (a timer, an animation's end) is published
// at the end of the run loop pass that fired it, so a browser sees it within
// milliseconds. The activity monitor feeds the log and says when the
// settings files were written; they are read again only then.
class StateFeed {
public:
    StateFeed(SettingsApp& app, StatePublisher& publisher) : _app(app), _publisher(publisher) {}
    ~StateFeed();
    StateFeed(const StateFeed&) = delete;
    StateFeed& operator=(const StateFeed&) = delete;

    void start();
    // Lays the window out, encodes it and publishes; the version that stands.
    std::uint64_t publishNow();
    void clearEvents();
    // Something else may have written the files: read them at the next publish.
    void filesChanged() { _filesStale = true; }

private:
    void heard(const ActivityMonitor::Activity& activity);
    void afterPass(const RunLoop::Pass& pass);

    SettingsApp& _app;
    StatePublisher& _publisher;
    ActivityMonitor::Subscription _subscription;
    RunLoop::ObserverId _observer = 0;
    StatePublisher::Json _files;
    bool _filesStale = true;
    // Something happened on the main thread that no publish has shown yet.
    bool _unpublished = false;
    std::vector<EventLog::Event> _newEvents;
    StatePublisher::Log _log = StatePublisher::Log::Kept;
};
