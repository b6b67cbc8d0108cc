#include "platform/RunLoop.h"

#include "platform/NSTimer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <utility>

RunLoop& RunLoop::main() {
    static RunLoop loop;
    return loop;
}

void RunLoop::useManualClock() {
    _manualClock = true;
    _manualNow = 0;
    _timers.clear();
}

void RunLoop::useSystemClock() {
    _manualClock = false;
    _timers.clear();
}

double RunLoop::now() const {
    if (_manualClock) return _manualNow;
    auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceStart).count();
}

void RunLoop::addTimer(std::shared_ptr<NSTimer> timer) { _timers.push_back(std::move(timer)); }

void RunLoop::removeTimer(const NSTimer* timer) {
    std::erase_if(_timers, [timer](const auto& candidate) { return candidate.get() == timer; });
}

double RunLoop::nextFireDate() const {
    double next = std::numeric_limits<double>::infinity();
    for (const auto& timer : _timers) next = std::min(next, timer->fireDate());
    return next;
}

// Fires the earliest timer due by `upTo`; timers scheduled while firing wait
// for a later call.
bool RunLoop::fireNextDueTimer(double upTo) {
    auto due = std::min_element(_timers.begin(), _timers.end(),
                                [](const auto& a, const auto& b) { return a->fireDate() < b->fireDate(); });
    if (due == _timers.end() || (*due)->fireDate() > upTo) return false;
    std::shared_ptr<NSTimer> timer = *due;
    if (_manualClock) _manualNow = std::max(_manualNow, timer->fireDate());
    timer->fire();
    ++_pass.timersFired;
    return true;
}

void RunLoop::advanceBy(double seconds) {
    double target = _manualNow + seconds;
    while (fireNextDueTimer(target)) {
    }
    _manualNow = target;
    runPending();
}

std::vector<std::function<void()>> RunLoop::takeQueuedWork() {
    std::lock_guard lock(_queueMutex);
    return std::exchange(_queue, {});
}

void RunLoop::runPending() {
    double upTo = now();
    while (fireNextDueTimer(upTo)) {
    }
    for (auto& work : takeQueuedWork()) {
        work();
        ++_pass.workRan;
    }
    finishPass();
}

void RunLoop::finishPass() {
    Pass pass = std::exchange(_pass, {});
    if (pass.timersFired == 0 && pass.workRan == 0) return;
    auto observers = _observers;
    for (const auto& [id, observer] : observers) observer(pass);
}

RunLoop::ObserverId RunLoop::addObserver(Observer observer) {
    _observers.emplace_back(++_lastObserverId, std::move(observer));
    return _lastObserverId;
}

void RunLoop::removeObserver(ObserverId id) {
    std::erase_if(_observers, [id](const auto& entry) { return entry.first == id; });
}

void RunLoop::enqueue(std::function<void()> work) {
    {
        std::lock_guard lock(_queueMutex);
        _queue.push_back(std::move(work));
    }
    _queueChanged.notify_one();
}

void RunLoop::run() {
    _stopped = false;
    while (!_stopped) {
        runPending();
        std::unique_lock lock(_queueMutex);
        if (!_queue.empty() || _stopped) continue;
        double next = nextFireDate();
        // No timer: nothing will happen until somebody hands work over.
        if (std::isinf(next)) {
            _queueChanged.wait(lock);
            continue;
        }
        _queueChanged.wait_for(lock, std::chrono::duration<double>(std::max(next - now(), 0.0)));
    }
}

void RunLoop::stop() {
    enqueue([this] { _stopped = true; });
}
