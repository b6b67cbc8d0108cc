#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>
#include <vector>

// Clients that trickle a request to the Settings app a byte a second and
// never finish it: each holds a connection until the app cuts it off, then
// connects again, so that `count` of them always hang on.
class SlowClients {
public:
    SlowClients(int port, std::size_t count);
    ~SlowClients();
    SlowClients(const SlowClients&) = delete;
    SlowClients& operator=(const SlowClients&) = delete;

    // Connections the app closed so far.
    std::size_t cutOff() const { return _cutOff.load(); }

private:
    void trickle();
    int connectOne() const;
    bool sendNextByte(int socket, std::size_t& sent) const;

    int _port;
    std::vector<int> _sockets;
    std::vector<std::size_t> _sent;
    std::atomic<bool> _stopping{false};
    std::atomic<std::size_t> _cutOff{0};
    std::thread _thread;
};
