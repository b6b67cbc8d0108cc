#include "preview/EventLog.h"

#include <date/date.h>

#include <chrono>

namespace {

std::string timestampNow() {
    return date::format("%FT%TZ", std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
}

} // namespace

void EventLog::add(const ActivityMonitor::Activity& activity) {
    _events.push_back({timestampNow(), activity.kind, activity.detail, activity.succeeded});
}

nlohmann::json EventLog::toJson() const {
    auto list = nlohmann::json::array();
    for (std::size_t index = 0; index < _events.size(); ++index) {
        const Event& event = _events[index];
        list.push_back({{"index", index},
                        {"time", event.time},
                        {"kind", event.kind},
                        {"detail", event.detail},
                        {"succeeded", event.succeeded}});
    }
    return list;
}
