#include "platform/ActivityMonitor.h"

#include <algorithm>
#include <utility>

ActivityMonitor& ActivityMonitor::shared() {
    static ActivityMonitor monitor;
    return monitor;
}

const char* ActivityMonitor::name(ActivityKind kind) {
    switch (kind) {
    case ActivityKind::File: return "file";
    case ActivityKind::Url: return "url";
    case ActivityKind::Notification: return "notification";
    case ActivityKind::Present: return "present";
    case ActivityKind::Dismiss: return "dismiss";
    case ActivityKind::Mail: return "mail";
    case ActivityKind::Share: return "activity";
    case ActivityKind::Log: return "log";
    case ActivityKind::Reload: return "reload";
    }
    return "unknown";
}

ActivityMonitor::Subscription ActivityMonitor::subscribe(Listener listener) {
    auto shared = std::make_shared<Listener>(std::move(listener));
    _listeners.push_back(shared);
    return Subscription(*this, std::move(shared));
}

void ActivityMonitor::unsubscribe(const std::shared_ptr<Listener>& listener) { std::erase(_listeners, listener); }

void ActivityMonitor::record(ActivityKind kind, std::string detail, bool succeeded) const {
    if (_listeners.empty()) return;
    Activity activity{kind, std::move(detail), succeeded};
    // A listener may subscribe or cancel while it hears this; the others still hear it once.
    auto listeners = _listeners;
    for (const auto& listener : listeners) (*listener)(activity);
}

ActivityMonitor::Subscription& ActivityMonitor::Subscription::operator=(Subscription&& other) noexcept {
    if (this == &other) return *this;
    cancel();
    _monitor = std::exchange(other._monitor, nullptr);
    _listener = std::move(other._listener);
    return *this;
}

void ActivityMonitor::Subscription::cancel() {
    if (_monitor && _listener) _monitor->unsubscribe(_listener);
    _monitor = nullptr;
    _listener.reset();
}
