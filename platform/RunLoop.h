#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

class NSTimer;

// The main thread's run loop: timers, and work handed over from other threads.
// Everything the panel and the host do runs here.
//
// When idle it sleeps until the next timer or the next piece of work, and
// does nothing at all when there is neither. Observers hear, once per pass
// and before the loop sleeps again, what the pass did, as a renderer commits
// a frame only after something ran.
//
// Time comes from a clock that is either the system's steady clock or, for
// tests, a manual one that moves only when told (`advanceBy`), so that a
// half-second timer fires without anybody sleeping.
class RunLoop {
public:
    // What one pass of the loop did.
    struct Pass {
        std::size_t timersFired = 0;
        std::size_t workRan = 0;
    };
    using Observer = std::function<void(const Pass&)>;
    using ObserverId = std::uint64_t;

    static RunLoop& main();

    void useManualClock();
    void useSystemClock();
    bool usesManualClock() const { return _manualClock; }

    // Seconds on the run loop's clock.
    double now() const;

    void addTimer(std::shared_ptr<NSTimer> timer);
    void removeTimer(const NSTimer* timer);

    // Manual clock: moves time forward, firing each due timer at its own time.
    void advanceBy(double seconds);

    // Fires the timers that are due and runs the work handed over so far.
    void runPending();

    // Runs until `stop()`: sleeps until the next timer or the next piece of work.
    void run();
    void stop();

    // From any thread: runs `work` on the main thread and waits for its result.
    template <typename Work>
    auto performAndWait(Work work) -> decltype(work()) {
        using Result = decltype(work());
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
        std::future<Result> result = task->get_future();
        enqueue([task] { (*task)(); });
        return result.get();
    }

    // From any thread: runs `work` on the main thread soon.
    void enqueue(std::function<void()> work);

    // Main thread. Called after every pass that fired a timer or ran work.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

private:
    bool fireNextDueTimer(double upTo);
    std::vector<std::function<void()>> takeQueuedWork();
    double nextFireDate() const;
    void finishPass();

    bool _manualClock = false;
    double _manualNow = 0;
    bool _stopped = false;
    std::vector<std::shared_ptr<NSTimer>> _timers;
    Pass _pass;
    ObserverId _lastObserverId = 0;
    std::vector<std::pair<ObserverId, Observer>> _observers;
    mutable std::mutex _queueMutex;
    std::condition_variable _queueChanged;
    std::vector<std::function<void()>> _queue;
};
