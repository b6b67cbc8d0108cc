#pragma once

#include "platform/NSNotificationCenter.h"

#include <memory>
#include <string>

// Counts the notifications of one name posted to the default centre while it lives.
class NotificationCounter : public NSObject {
public:
    static std::shared_ptr<NotificationCounter> listeningFor(const std::string& name) {
        auto counter = alloc<NotificationCounter>();
        NSNotificationCenter::defaultCenter()->addObserver_selector_name_object(
            counter, Selector::of<&NotificationCounter::hear>("hear"), name, nullptr);
        return counter;
    }
    ~NotificationCounter() override { NSNotificationCenter::defaultCenter()->removeObserver(this); }

    int heard = 0;

private:
    void hear() { ++heard; }
};
