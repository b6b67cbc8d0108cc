#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

class HttpClient;

// Browser tabs following the Settings app: each one its own connection,
// asking GET /api/state for the next version and, the moment it comes, for
// the one after, as the page's feed does. The answers are counted, not read.
class WaitingTabs {
public:
    WaitingTabs(int port, std::size_t count);
    ~WaitingTabs();
    WaitingTabs(const WaitingTabs&) = delete;
    WaitingTabs& operator=(const WaitingTabs&) = delete;

    std::size_t answers() const { return _answers.load(); }
    // Answers that told the tab to come back later instead of waiting.
    std::size_t busyAnswers() const { return _busy.load(); }

private:
    void follow(HttpClient& client);

    std::atomic<bool> _stopping{false};
    std::atomic<std::size_t> _answers{0};
    std::atomic<std::size_t> _busy{0};
    std::vector<std::unique_ptr<HttpClient>> _clients;
    std::vector<std::thread> _threads;
};
