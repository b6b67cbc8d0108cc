#pragma once

#include "platform/NSObject.h"
#include "platform/Selector.h"

#include <memory>
#include <string>
#include <vector>

class NSNotification : public NSObject {
public:
    OBJC_CLASS_NAME(NSNotification)

    NSNotification(std::string name, std::shared_ptr<NSObject> object) : _name(std::move(name)), _object(std::move(object)) {}
    const std::string& name() const { return _name; }
    const std::shared_ptr<NSObject>& object() const { return _object; }

private:
    std::string _name;
    std::shared_ptr<NSObject> _object;
};

// Delivers notifications on the posting thread to the observers registered
// for their name. Observers are held weakly: one that is gone is skipped.
class NSNotificationCenter : public NSObject {
public:
    OBJC_CLASS_NAME(NSNotificationCenter)

    static std::shared_ptr<NSNotificationCenter> defaultCenter();

    // A null `object` observes every sender.
    void addObserver_selector_name_object(const std::shared_ptr<NSObject>& observer, Selector selector,
                                          const std::string& name, const std::shared_ptr<NSObject>& object);
    void removeObserver(const NSObject* observer);
    void postNotificationName_object(const std::string& name, const std::shared_ptr<NSObject>& object);

    std::size_t observerCount() const { return _observations.size(); }

private:
    struct Observation {
        std::weak_ptr<NSObject> observer;
        const NSObject* observerAddress;
        Selector selector;
        std::string name;
        std::weak_ptr<NSObject> object;
        bool anySender;
    };
    std::vector<Observation> _observations;
};
