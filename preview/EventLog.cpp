#include "preview/EventLog.h"

#include <date/date.h>

#include <chrono>

namespace {

std::string timestampNow() {
    return date::format("%FT%TZ", std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
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
