#include "platform/NSNotificationCenter.h"

#include "platform/ActivityMonitor.h"

std::shared_ptr<NSNotificationCenter> NSNotificationCenter::defaultCenter() {
    static auto center = alloc<NSNotificationCenter>();
    return center;
}

void NSNotificationCenter::addObserver_selector_name_object(const std::shared_ptr<NSObject>& observer,
                                                            Selector selector, const std::string& name,
                                                            const std::shared_ptr<NSObject>& object) {
    _observations.push_back({observer, observer.get(), std::move(selector), name, object, object == nullptr});
}

void NSNotificationCenter::removeObserver(const NSObject* observer) {
    std::erase_if(_observations, [observer](const Observation& entry) { return entry.observerAddress == observer; });
}

void NSNotificationCenter::postNotificationName_object(const std::string& name,
                                                       const std::shared_ptr<NSObject>& object) {
    ActivityMonitor::shared().record(ActivityKind::Notification, name);
    std::erase_if(_observations, [](const Observation& entry) { return entry.observer.expired(); });
    auto notification = std::make_shared<NSNotification>(name, object);
    // Observers may register or leave while being told: deliver to a snapshot.
    std::vector<Observation> snapshot = _observations;
    for (const Observation& entry : snapshot) {
        if (entry.name != name) continue;
        if (!entry.anySender && entry.object.lock() != object) continue;
        if (auto observer = entry.observer.lock()) entry.selector.perform(*observer, {Value(notification)});
    }
}
