#pragma once

#include "preview/EventLog.h"
#include "preview/SettingsApp.h"
#include "preview/StatePublisher.h"

#include <memory>

class NSTimer;

// Keeps the publisher up to date from the main thread: the event log fed by
// the activity monitor, and a short repeating timer that lays the window out
// and publishes what changed on the phone's own (timers, animations), so a
// browser sees it well within a tenth of a second. Actions from the server
// publish at once through `publishNow`.
class StateFeed {
public:
    static constexpr double kTickInterval = 0.03;
    // The files are read again at least this often, in case something else wrote them.
    static constexpr int kTicksPerFileRefresh = 30;

    StateFeed(SettingsApp& app, StatePublisher& publisher) : _app(app), _publisher(publisher) {}
    ~StateFeed();

    void start();
    std::uint64_t publishNow();
    void clearEvents();
    void filesChanged() { _filesStale = true; }

private:
    SettingsApp& _app;
    StatePublisher& _publisher;
    EventLog _events;
    nlohmann::json _files;
    bool _filesStale = true;
    int _ticksSinceFileRead = 0;
    std::shared_ptr<NSTimer> _timer;
};
