#pragma once

#include "platform/NSObject.h"
#include "platform/Selector.h"
#include "platform/Value.h"

#include <functional>

// A timer on the main run loop. It holds its target strongly until it has
// fired for the last time or is invalidated: a page that schedules a timer
// stays alive until the timer has run.
class NSTimer : public NSObject {
public:
    OBJC_CLASS_NAME(NSTimer)

    static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
        double interval, std::shared_ptr<NSObject> target, Selector selector, Value userInfo, bool repeats);
    // The block keeps what it captures until the timer has fired for the last time.
    static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval_repeats_block(
        double interval, bool repeats, std::function<void(NSTimer&)> block);

    double timeInterval() const { return _interval; }
    double fireDate() const { return _fireDate; }
    bool isValid() const { return _valid; }
    const Value& userInfo() const { return _userInfo; }

    void fire();
    void invalidate();

private:
    static std::shared_ptr<NSTimer> schedule(double interval, bool repeats);

    double _interval = 0;
    double _fireDate = 0;
    bool _repeats = false;
    bool _valid = true;
    std::shared_ptr<NSObject> _target;
    Selector _selector;
    std::function<void(NSTimer&)> _block;
    Value _userInfo;
};
