#include "platform/NSNotificationCenter.h"
#include "platform/NSTimer.h"
#include "platform/RunLoop.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

class Counter : public NSObject {
public:
    int fired = 0;
    void tick() { ++fired; }
};

class RunLoopTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

TEST_F(RunLoopTest, RepeatingTimersFireEachIntervalUntilInvalidated) {
    auto counter = std::make_shared<Counter>();
    auto timer = NSTimer::scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
        0.25, counter, Selector::of<&Counter::tick>("tick"), Value(), true);
    RunLoop::main().advanceBy(1.0);
    EXPECT_EQ(counter->fired, 4);
    timer->invalidate();
    RunLoop::main().advanceBy(1.0);
    EXPECT_EQ(counter->fired, 4);
}

TEST_F(RunLoopTest, WorkFromOtherThreadsRunsOnTheLoopThread) {
    RunLoop::main().useSystemClock();
    std::thread::id loopThread = std::this_thread::get_id();
    std::thread::id ranOn;
    std::thread caller([&] {
        ranOn = RunLoop::main().performAndWait([] { return std::this_thread::get_id(); });
        RunLoop::main().stop();
    });
    RunLoop::main().run();
    caller.join();
    EXPECT_EQ(ranOn, loopThread);
}

TEST_F(RunLoopTest, NotificationsReachLiveObserversOnly) {
    auto center = NSNotificationCenter::defaultCenter();
    auto listening = std::make_shared<Counter>();
    auto leaving = std::make_shared<Counter>();
    for (const auto& counter : {listening, leaving}) {
        center->addObserver_selector_name_object(counter, Selector::of<&Counter::tick>("tick"), "Ping", nullptr);
    }
    leaving.reset();
    center->postNotificationName_object("Ping", nullptr);
    center->postNotificationName_object("Other", nullptr);
    EXPECT_EQ(listening->fired, 1);
    center->removeObserver(listening.get());
    center->postNotificationName_object("Ping", nullptr);
    EXPECT_EQ(listening->fired, 1);
}

// An observer hears a pass only when the pass did something: an idle loop
// wakes nobody, so whatever commits a frame on it costs nothing at rest.
TEST(RunLoopObserver, HearsOnlyPassesThatFiredATimerOrRanWork) {
    TemporaryDevice device;
    std::string heard;
    auto id = RunLoop::main().addObserver([&](const RunLoop::Pass& pass) {
        heard += "timers " + std::to_string(pass.timersFired) + " work " + std::to_string(pass.workRan) + "; ";
    });
    RunLoop::main().runPending();
    RunLoop::main().advanceBy(1);
    NSTimer::scheduledTimerWithTimeInterval_repeats_block(0.5, false, [](NSTimer&) {});
    NSTimer::scheduledTimerWithTimeInterval_repeats_block(0.7, false, [](NSTimer&) {});
    RunLoop::main().advanceBy(1);
    RunLoop::main().enqueue([] {});
    RunLoop::main().runPending();
    RunLoop::main().removeObserver(id);
    RunLoop::main().enqueue([] {});
    RunLoop::main().runPending();
    EXPECT_EQ(heard, "timers 2 work 0; timers 0 work 1; ");
}

} // namespace
