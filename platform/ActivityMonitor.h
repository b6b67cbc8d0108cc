#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the simulated phone did that a person watching it would want to see.
enum class ActivityKind {
    File,         // a property-list file written (or a write that failed)
    Url,          // an address handed to openURL (refused when no app opens it)
    Notification, // a notification posted
    Present,      // a modal controller presented
    Dismiss,      // a modal controller dismissed
    Mail,         // a message sent from the mail composer
    Share,        // an activity chosen in the share sheet
    Log,          // a line written with NSLog
    Reload,       // files read to draw the screen changed on disk and were read again
};

// The platform reports each activity here as it happens, and every
// subscriber hears it, in the order they subscribed: the Settings app's event
// log and a test's own spy listen side by side without switching each other
// off. Nothing is kept: an activity nobody listens to is gone. Main thread only.
class ActivityMonitor {
public:
    struct Activity {
        ActivityKind kind = ActivityKind::File;
        // The file's device path, the address, the notification's name, the
        // controller's class, "to RECIPIENTS: SUBJECT" of a mail, the share activity, the log line.
        std::string detail;
        // False for a write that failed and an address the phone has no app for.
        bool succeeded = true;
    };
    using Listener = std::function<void(const Activity&)>;

    // Keeps its listener subscribed while it lives.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(ActivityMonitor& monitor, std::shared_ptr<Listener> listener)
            : _monitor(&monitor), _listener(std::move(listener)) {}
        Subscription(Subscription&& other) noexcept { *this = std::move(other); }
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription() { cancel(); }
        void cancel();

    private:
        ActivityMonitor* _monitor = nullptr;
        std::shared_ptr<Listener> _listener;
    };

    static ActivityMonitor& shared();
    // The kind as the event log names it: "file", "url", "notification", "present", "dismiss", "mail", "activity", "log", "reload".
    static const char* name(ActivityKind kind);

    [[nodiscard]] Subscription subscribe(Listener listener);
    void record(ActivityKind kind, std::string detail, bool succeeded = true) const;

private:
    void unsubscribe(const std::shared_ptr<Listener>& listener);

    std::vector<std::shared_ptr<Listener>> _listeners;
};
