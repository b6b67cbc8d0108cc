#pragma once

#include "preview/SettingsApp.h"
#include "preview/StateFeed.h"
#include "preview/StatePublisher.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <functional>

class HttpRoutes;
struct HttpRequest;

// The JSON interface under /api that tests, scripts and the browser client
// drive the phone with (see docs/automation.md). Handlers run on the
// server's worker threads; everything that touches the phone is handed to the main
// run loop and waited for.
//
// A waiting /api/state holds one of the server's threads. At most
// `kMostWaiting` wait at once; one more is answered at once with "busy" and
// asks again a little later, so the threads beyond that always take actions.
class AutomationApi {
public:
    // How long a GET /api/state with `since` waits for something new.
    static constexpr int kLongPollSeconds = 20;
    static constexpr int kMostWaiting = 96;

    AutomationApi(SettingsApp& app, StateFeed& feed, StatePublisher& publisher)
        : _app(app), _feed(feed), _publisher(publisher) {}

    void registerRoutes(HttpRoutes& routes);

    struct Reply {
        int status = 200;
        nlohmann::json body;
        // Sent as the body's "window", already JSON text: the screen is encoded once, however many clients follow it.
        StatePublisher::Text window = nullptr;
    };

private:
    using Action = std::function<Reply(const nlohmann::json& body)>;

    Reply tap(const nlohmann::json& body);
    Reply scroll(const nlohmann::json& body);
    Reply text(const nlohmann::json& body);
    Reply slider(const nlohmann::json& body);
    Reply back();
    Reply device(const nlohmann::json& body);
    Reply reset();
    Reply state(const HttpRequest& request);

    // Runs `work` on the main thread, publishes, and answers with the new tree.
    Reply actOnMain(const std::function<Result<>()>& work);
    Reply treeReply(std::uint64_t version) const;
    // Waits for a version past `since` unless too many wait already; false when it could not wait.
    bool waitPast(std::uint64_t since);
    static void post(HttpRoutes& routes, const char* path, Action action);

    SettingsApp& _app;
    StateFeed& _feed;
    StatePublisher& _publisher;
    std::atomic<int> _waiting{0};
};
