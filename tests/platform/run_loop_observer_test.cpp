#include "platform/NSTimer.h"
#include "platform/RunLoop.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
