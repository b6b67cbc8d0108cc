#pragma once

#include "preview/HttpServer.h"

#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>

#include <array>
#include <memory>
#include <optional>

// One connection of the HttpServer: reads a request (headers, then the body
// once the headers pass), hands it to a worker, writes the answer, and only
// then reads the next. Lives as long as an operation of its own is pending.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(boost::asio::ip::tcp::socket socket, const HttpServer::Settings& settings,
                boost::asio::thread_pool& workers, std::atomic<std::size_t>& connections);
    ~HttpSession();

    void start() { readHeader(); }

private:
    using Parser = boost::beast::http::request_parser<boost::beast::http::string_body>;
    enum class After { KeepOpen, Close };
    enum class Payload { Body, HeadersOnly };

    void readHeader();
    // The request's own timer, not the stream's: the stream's closes the
    // socket when it fires, and a client cut off half-way is still told why.
    void startDeadline();
    void onHeader(boost::system::error_code error);
    void readBody();
    void onBody(boost::system::error_code error);
    void onReadFailure(boost::system::error_code error);
    std::optional<HttpServer::Refusal> framingRefusal() const;
    void dispatch();
    void write(HttpResponse response, After after, Payload payload);
    void refuseAndClose(int status, const std::string& message);
    // Stops sending, then reads and drops what the client still sends for a
    // moment before closing: closing on unread bytes would reset the
    // connection and could destroy the answer before the client reads it.
    void lingerThenClose();
    void drain();

    boost::beast::tcp_stream _stream;
    boost::beast::flat_buffer _buffer;
    boost::asio::steady_timer _deadline;
    bool _timedOut = false;
    std::optional<Parser> _parser;
    boost::beast::http::response<boost::beast::http::string_body> _answer;
    std::array<char, 4096> _discard{};
    std::size_t _discarded = 0;
    const HttpServer::Settings& _settings;
    boost::asio::thread_pool& _workers;
    std::atomic<std::size_t>& _connections;
};
