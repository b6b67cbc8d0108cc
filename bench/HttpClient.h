#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <string>

// One kept-alive loopback connection to the Settings app, without Nagle's
// delay, as a browser's: a request is written whole and its answer read
// whole before the next. It connects again when the app closed it.
class HttpClient {
public:
    explicit HttpClient(int port) : _port(port) {}

    struct Answer {
        int status = 0; // 0: no answer at all
        std::string body;
    };
    Answer get(const std::string& target) { return exchange("GET", target, {}); }
    Answer post(const std::string& target, const std::string& json) { return exchange("POST", target, json); }

    // From another thread: ends a request under way, and every later one, with no answer.
    void stop();

private:
    Answer exchange(const char* method, const std::string& target, const std::string& body);
    bool connect();

    int _port;
    boost::asio::io_context _io;
    boost::asio::ip::tcp::socket _socket{_io};
    std::atomic<bool> _stopped{false};
    std::atomic<int> _descriptor{-1}; // the connection's, for `stop` on another thread
};
