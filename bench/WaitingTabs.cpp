#include "bench/WaitingTabs.h"

#include "bench/HttpClient.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace {

constexpr auto kBusyPause = std::chrono::milliseconds(500);

// A number of the state's top level ("version", "eventCount"), found without
// parsing the whole answer, as a tab would not before it draws; 0 when absent.
std::uint64_t numberIn(const std::string& body, const std::string& name) {
    std::string key = "\"" + name + "\":";
    std::size_t at = body.find(key);
    if (at == std::string::npos) return 0;
    return std::strtoull(body.c_str() + at + key.size(), nullptr, 10);
}

} // namespace

WaitingTabs::WaitingTabs(int port, std::size_t count) {
    for (std::size_t tab = 0; tab < count; ++tab) {
        auto& client = *_clients.emplace_back(std::make_unique<HttpClient>(port));
        _threads.emplace_back([this, &client] { follow(client); });
    }
}

WaitingTabs::~WaitingTabs() {
    _stopping = true;
    for (auto& client : _clients) client->stop();
    for (auto& thread : _threads) thread.join();
}

void WaitingTabs::follow(HttpClient& client) {
    std::uint64_t version = 0;
    std::uint64_t nextEvent = 0;
    while (!_stopping) {
        std::string path = "/api/state?since=" + std::to_string(version) + "&events=" + std::to_string(nextEvent);
        auto answer = client.get(path);
        if (answer.status != 200) return;
        ++_answers;
        version = std::max(version, numberIn(answer.body, "version"));
        nextEvent = numberIn(answer.body, "eventCount");
        if (answer.body.find("\"busy\":true") == std::string::npos) continue;
        ++_busy;
        std::this_thread::sleep_for(kBusyPause);
    }
}
