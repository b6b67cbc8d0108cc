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

EventLog::Event EventLog::eventFor(const ActivityMonitor::Activity& activity) {
    return {timestampNow(), ActivityMonitor::name(activity.kind), activity.detail, activity.succeeded};
}

void EventLog::add(Event event) {
    _events.push_back(std::move(event));
    ++_count;
    if (_events.size() > kWindow) _events.pop_front();
}

void EventLog::clear() {
    _events.clear();
    _count = 0;
}

std::uint64_t EventLog::startFor(std::uint64_t from) const {
    if (from < firstIndex() || from > _count) return firstIndex();
    return from;
}

nlohmann::json EventLog::entriesFrom(std::uint64_t from) const {
    auto list = nlohmann::json::array();
    for (std::uint64_t index = startFor(from); index < _count; ++index) {
        const Event& event = _events[index - firstIndex()];
        list.push_back({{"index", index},
                        {"time", event.time},
                        {"kind", event.kind},
                        {"detail", event.detail},
                        {"succeeded", event.succeeded}});
    }
    return list;
}
