#pragma once

#include "platform/ActivityMonitor.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// What the phone did, oldest first, as a person watching it would want to
// read it: files written, addresses opened (and refused), notifications
// posted, sheets presented and dismissed, mail sent. Main thread only.
class EventLog {
public:
    struct Event {
        std::string time; // UTC, ISO 8601 with milliseconds
        std::string kind;
        std::string detail;
        bool succeeded = true;
    };

    void add(const ActivityMonitor::Activity& activity);
    void clear() { _events.clear(); }
    const std::vector<Event>& events() const { return _events; }

    nlohmann::json toJson() const;

private:
    std::vector<Event> _events;
};
