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
    ++_generation;
}

std::uint64_t EventLog::startFor(Position position) const {
    bool sameGeneration = position.generation.value_or(_generation) == _generation;
    if (!sameGeneration || position.from < firstIndex() || position.from > _count) return firstIndex();
    return position.from;
}

nlohmann::json EventLog::entriesFrom(Position position) const {
    auto list = nlohmann::json::array();
    for (std::uint64_t index = startFor(position); index < _count; ++index) {
        const Event& event = _events[index - firstIndex()];
        list.push_back({{"generation", _generation},
                        {"index", index},
                        {"time", event.time},
                        {"kind", event.kind},
                        {"detail", event.detail},
                        {"succeeded", event.succeeded}});
    }
    return list;
}
