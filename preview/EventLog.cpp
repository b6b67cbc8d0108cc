#include "preview/EventLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

std::string timestampNow() {
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    char withMilliseconds[40];
    std::snprintf(withMilliseconds, sizeof withMilliseconds, "%s.%03dZ", text, static_cast<int>(milliseconds));
    return withMilliseconds;
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
