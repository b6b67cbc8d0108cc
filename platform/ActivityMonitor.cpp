#include "platform/ActivityMonitor.h"

ActivityMonitor& ActivityMonitor::shared() {
    static ActivityMonitor monitor;
    return monitor;
}

void ActivityMonitor::record(std::string kind, std::string detail, bool succeeded) const {
    if (_listener) _listener(Activity{std::move(kind), std::move(detail), succeeded});
}
