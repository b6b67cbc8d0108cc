#include "platform/NSTimer.h"

#include "platform/RunLoop.h"

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
    double interval, std::shared_ptr<NSObject> target, Selector selector, Value userInfo, bool repeats) {
    auto timer = schedule(interval, repeats);
    timer->_target = std::move(target);
    timer->_selector = std::move(selector);
    timer->_userInfo = std::move(userInfo);
    return timer;
}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval_repeats_block(double interval, bool repeats,
                                                                               std::function<void(NSTimer&)> block) {
    auto timer = schedule(interval, repeats);
    timer->_block = std::move(block);
    return timer;
}

std::shared_ptr<NSTimer> NSTimer::schedule(double interval, bool repeats) {
    auto timer = alloc<NSTimer>();
    timer->_interval = interval;
    timer->_fireDate = RunLoop::main().now() + interval;
    timer->_repeats = repeats && interval > 0;
    RunLoop::main().addTimer(timer);
    return timer;
}

void NSTimer::fire() {
    if (!_valid) return;
    auto keepAlive = self<NSTimer>();
    std::shared_ptr<NSObject> target = _target;
    auto block = _block;
    if (_repeats) {
        _fireDate += _interval;
    } else {
        invalidate();
    }
    if (target) _selector.perform(*target, {Value(keepAlive)});
    if (block) block(*this);
}

void NSTimer::invalidate() {
    if (!_valid) return;
    _valid = false;
    _target.reset();
    _block = nullptr;
    RunLoop::main().removeTimer(this);
}
