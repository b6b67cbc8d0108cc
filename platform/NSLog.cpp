#include "platform/NSLog.h"

#include "platform/ActivityMonitor.h"

#include <iostream>

void NSLog(const std::string& message) {
    std::cerr << message << '\n';
    ActivityMonitor::shared().record(ActivityKind::Log, message);
}
