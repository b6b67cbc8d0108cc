#pragma once

#include <functional>
#include <string>
#include <vector>

// What the simulated phone does that a person watching it would want to see:
// files written, addresses opened, notifications posted, sheets presented and
// dismissed. The platform reports here; a listener (the Settings app's event
// log) may watch. Nothing is kept when nobody listens.
class ActivityMonitor {
public:
    struct Activity {
        std::string kind;   // "file", "url", "notification", "present", "dismiss"
        std::string detail; // the path, the address, the name, the class
        bool succeeded = true;
    };
    using Listener = std::function<void(const Activity&)>;

    static ActivityMonitor& shared();

    void setListener(Listener listener) { _listener = std::move(listener); }
    void record(std::string kind, std::string detail, bool succeeded = true) const;

private:
    Listener _listener;
};
