#pragma once

#include "preview/EventLog.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The hand-over between the main thread and the web server's threads: the
// main thread publishes what the phone shows (view tree, files, device) and
// what it did (the event log); each real change gets a new version number.
// Server threads read the latest copy or wait for a newer one; they never
// see a platform object. Thread-safe.
//
// A published part is shared, never copied: the screen is kept as the JSON
// text every client is sent, so a change followed by many clients is
// encoded once, and a reader takes the parts by reference count.
class StatePublisher {
public:
    using Text = std::shared_ptr<const std::string>;
    using Json = std::shared_ptr<const nlohmann::json>;

    // What the main thread hands over.
    struct Frame {
        std::string window; // the key window's tree as JSON text
        Json files;         // the same pointer again when the files were not read afresh
        nlohmann::json device;
        double clock = 0; // the run loop's clock, so a client can tell how far an animation has run
    };
    struct Snapshot {
        std::uint64_t version = 0;
        double clock = 0;
        Text window = std::make_shared<const std::string>("null");
        Json files = std::make_shared<const nlohmann::json>(nlohmann::json::array());
        Json device = std::make_shared<const nlohmann::json>(nlohmann::json::object());
    };
    // Entries of the log from some index on, where they start in the whole
    // history, and the log's generation (how many times it was cleared).
    struct Events {
        nlohmann::json entries;
        std::uint64_t from = 0;
        std::uint64_t count = 0;
        std::uint64_t generation = 0;
    };
    enum class Log { Kept, Cleared };

    // Main thread. The new entries follow the log's (after clearing it, for
    // `Log::Cleared`). Returns the version that now stands.
    std::uint64_t publish(Frame frame, std::vector<EventLog::Event> newEvents, Log log);

    Snapshot current() const;
    // The snapshot and the log entries from `position` on, both as of one version.
    Snapshot current(EventLog::Position position, Events& events) const;

    // Waits until the version passes `since`, the timeout ends or the
    // publisher shuts down; true when there is something newer.
    bool waitForNewerThan(std::uint64_t since, std::chrono::milliseconds timeout);
    void shutDown();

private:
    bool updateParts(Frame& frame);
    Snapshot snapshotNow() const;

    mutable std::mutex _mutex;
    std::condition_variable _changed;
    Snapshot _snapshot;
    EventLog _events;
    std::chrono::steady_clock::time_point _publishedAt = std::chrono::steady_clock::now();
    bool _shutDown = false;
};
