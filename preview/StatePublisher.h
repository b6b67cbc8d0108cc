#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// The hand-over between the main thread and the web server's threads: the
// main thread publishes what the phone shows (view tree, files, device,
// event log); each real change gets a new version number. Server threads
// read the latest copy or wait for a newer one; they never see a platform
// object. Thread-safe.
class StatePublisher {
public:
    struct Snapshot {
        std::uint64_t version = 0;
        nlohmann::json window;
        nlohmann::json files;
        nlohmann::json device;
        nlohmann::json events;
        // The run loop's clock now, so a client can tell how far an animation has run.
        double clock = 0;
    };

    // Main thread. Returns the version that now stands.
    std::uint64_t publish(nlohmann::json window, nlohmann::json files, nlohmann::json device, nlohmann::json events,
                          double runLoopNow);

    Snapshot current() const;
    // Waits until the version passes `since`, the timeout ends or the
    // publisher shuts down; true when there is something newer.
    bool waitForNewerThan(std::uint64_t since, std::chrono::milliseconds timeout);
    void shutDown();

private:
    mutable std::mutex _mutex;
    std::condition_variable _changed;
    Snapshot _snapshot;
    std::chrono::steady_clock::time_point _publishedAt = std::chrono::steady_clock::now();
    bool _shutDown = false;
};
