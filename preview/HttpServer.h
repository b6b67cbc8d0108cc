#pragma once

#include "preview/HttpRoutes.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/http/message.hpp>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// An HTTP/1.1 server on one loopback address. One thread reads and writes
// every connection without blocking, so a client that trickles its request
// costs a socket and a small buffer, never a thread; each request, once
// read whole, is answered by a route on a pool of worker threads, whose
// handlers may block (hand work to the main thread, wait for a change).
//
// Every request is read whole or its connection closed: a request is refused
// before its body is read only by answering and closing; a connection reads
// its next request only after answering the last, so pipelined requests are
// answered in order.
class HttpServer {
public:
    using Header = boost::beast::http::request_header<>;
    struct Refusal {
        int status;
        std::string message;
    };
    // Looks at a request's headers before its body is read; a refusal closes the connection.
    using HeaderCheck = std::function<std::optional<Refusal>(const Header&)>;

    struct Settings {
        std::size_t largestHeader = 16 * 1024;      // request line and headers together
        std::size_t largestBody = 16 * 1024;
        std::chrono::seconds requestDeadline{5};    // from the first wait for a request to its last byte
        std::chrono::seconds writeDeadline{10};     // for the client to take an answer
        std::size_t mostConnections = 2048;
        int workerThreads = 8;
        const HttpRoutes* routes = nullptr;
        HeaderCheck check;
        std::vector<std::pair<std::string, std::string>> commonHeaders; // on every answer
    };

    explicit HttpServer(Settings settings);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds address:port (0: any free port); the port bound, or -1.
    int bind(const std::string& address, int port);
    // Serves until `stop`, on the calling thread.
    void run();
    // Stops accepting, waits for the handlers under way, lets their answers
    // go out, then ends `run`.
    void stop();

    std::size_t connections() const { return _connections.load(); }

private:
    void accept();

    Settings _settings;
    boost::asio::io_context _io{1};
    boost::asio::ip::tcp::acceptor _acceptor{_io};
    boost::asio::thread_pool _workers;
    std::atomic<std::size_t> _connections{0};
};
