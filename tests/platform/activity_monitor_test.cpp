#include "platform/ActivityMonitor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Each activity heard, as "name:kind detail".
class Spy {
public:
    Spy(std::string name, std::string& heard) {
        _subscription = ActivityMonitor::shared().subscribe([name, &heard](const ActivityMonitor::Activity& activity) {
            heard += name + ":" + ActivityMonitor::name(activity.kind) + " " + activity.detail + (activity.succeeded ? " " : "! ");
        });
    }
    void cancel() { _subscription.cancel(); }

private:
    ActivityMonitor::Subscription _subscription;
};

TEST(ActivityMonitor, EverySubscriberHearsEachActivityUntilItsSubscriptionEnds) {
    std::string heard;
    Spy log("log", heard);
    {
        Spy test("test", heard);
        ActivityMonitor::shared().record(ActivityKind::File, "/a.plist", false);
    }
    ActivityMonitor::shared().record(ActivityKind::Url, "tweetbot:");
    log.cancel();
    ActivityMonitor::shared().record(ActivityKind::Mail, "to x: y");
    EXPECT_EQ(heard, "log:file /a.plist! test:file /a.plist! log:url tweetbot: ");
}

TEST(ActivityMonitor, ASubscriberThatCancelsWhileHearingLeavesTheOthersTheirTurn) {
    std::string heard;
    std::optional<ActivityMonitor::Subscription> once;
    once = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity&) {
        heard += "once ";
        once.reset();
    });
    Spy after("after", heard);
    ActivityMonitor::shared().record(ActivityKind::Present, "UIAlertController");
    ActivityMonitor::shared().record(ActivityKind::Dismiss, "UIAlertController");
    EXPECT_EQ(heard, "once after:present UIAlertController after:dismiss UIAlertController ");
}

} // namespace
