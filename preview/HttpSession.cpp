#include "preview/HttpSession.h"

#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include <malloc.h>

#include <string_view>

namespace http = boost::beast::http;
using boost::system::error_code;

namespace {

constexpr auto kLingerTime = std::chrono::seconds(2);
constexpr std::size_t kMostDiscarded = 1024 * 1024;

HttpServer::Refusal refusalFor(error_code error, const HttpServer::Settings& settings) {
    if (error == boost::beast::error::timeout) {
        return {408, "the request did not arrive whole within " + std::to_string(settings.requestDeadline.count()) + " s"};
    }
    if (error == http::error::header_limit || error == http::error::buffer_overflow) {
        return {431, "the request line and headers are over " + std::to_string(settings.largestHeader / 1024) + " KiB"};
    }
    if (error == http::error::body_limit) {
        return {413, "bodies are at most " + std::to_string(settings.largestBody / 1024) + " KiB"};
    }
    if (error == http::error::bad_content_length) return {400, "the Content-Length is not one whole number"};
    if (error == http::error::bad_transfer_encoding) return {400, "the Transfer-Encoding is malformed or conflicts with a Content-Length"};
    return {400, "the request is not well-formed HTTP/1.1"};
}

} // namespace

HttpSession::HttpSession(boost::asio::ip::tcp::socket socket, const HttpServer::Settings& settings,
                         boost::asio::thread_pool& workers, std::atomic<std::size_t>& connections)
    : _stream(std::move(socket)), _buffer(settings.largestHeader + settings.largestBody),
      _deadline(_stream.get_executor()), _settings(settings),
      _workers(workers), _connections(connections) {
    ++_connections;
    // A change must reach the browser at once, not after the client's delayed ACK.
    error_code ignored;
    _stream.socket().set_option(boost::asio::ip::tcp::no_delay(true), ignored);
}

// The allocator keeps what a burst of connections freed, spread over the
// workers' arenas; once the last connection is gone it is given back, so a
// flood of clients leaves the server as small as it found it.
HttpSession::~HttpSession() {
    if (--_connections == 0) ::malloc_trim(0);
}

void HttpSession::readHeader() {
    _parser.emplace();
    _parser->header_limit(static_cast<std::uint32_t>(_settings.largestHeader));
    _parser->body_limit(_settings.largestBody);
    startDeadline();
    http::async_read_header(_stream, _buffer, *_parser,
                            [self = shared_from_this()](error_code error, std::size_t) { self->onHeader(error); });
}

// One deadline for the whole request, however it trickles in.
void HttpSession::startDeadline() {
    _stream.expires_never();
    _timedOut = false;
    _deadline.expires_after(_settings.requestDeadline);
    _deadline.async_wait([self = shared_from_this()](error_code error) {
        if (error) return;
        self->_timedOut = true;
        error_code ignored;
        self->_stream.socket().cancel(ignored);
    });
}

void HttpSession::onHeader(error_code error) {
    if (error) return onReadFailure(error);
    if (auto refusal = framingRefusal()) return refuseAndClose(refusal->status, refusal->message);
    if (_settings.check) {
        if (auto refusal = _settings.check(_parser->get().base())) return refuseAndClose(refusal->status, refusal->message);
    }
    if (_parser->is_done()) return dispatch();
    if (!boost::beast::iequals(_parser->get()[http::field::expect], "100-continue")) return readBody();
    // curl waits a second for this before it sends a body over 1 KiB.
    static constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
    boost::asio::async_write(_stream, boost::asio::buffer(kContinue.data(), kContinue.size()),
                             [self = shared_from_this()](error_code writeError, std::size_t) {
                                 if (!writeError) self->readBody();
                             });
}

void HttpSession::readBody() {
    http::async_read(_stream, _buffer, *_parser,
                     [self = shared_from_this()](error_code readError, std::size_t) { self->onBody(readError); });
}

void HttpSession::onBody(error_code error) {
    if (error) return onReadFailure(error);
    dispatch();
}

// A client that leaves between requests, or never starts one, is let go quietly.
void HttpSession::onReadFailure(error_code error) {
    if (_timedOut) error = boost::beast::error::timeout;
    bool nothingRead = !_parser->got_some() && _buffer.size() == 0;
    if (error == http::error::end_of_stream || nothingRead) return lingerThenClose();
    HttpServer::Refusal refusal = refusalFor(error, _settings);
    refuseAndClose(refusal.status, refusal.message);
}

std::optional<HttpServer::Refusal> HttpSession::framingRefusal() const {
    const HttpServer::Header& header = _parser->get().base();
    http::verb method = header.method();
    if (method != http::verb::get && method != http::verb::head && method != http::verb::post) {
        return HttpServer::Refusal{405, "only GET, HEAD and POST are answered"};
    }
    bool hasBody = !_parser->is_done() || header.count(http::field::transfer_encoding) > 0;
    if (method != http::verb::post && hasBody) return HttpServer::Refusal{400, "a GET or HEAD carries no body"};
    if (header.count(http::field::transfer_encoding) > 0) return HttpServer::Refusal{411, "send the body with a Content-Length"};
    if (header.count(http::field::content_length) > 1) return HttpServer::Refusal{400, "the Content-Length is given more than once"};
    return std::nullopt;
}

void HttpSession::dispatch() {
    // The handler may wait long (a feed waits for a change); the deadline is the client's, not ours.
    _deadline.cancel();
    http::request<http::string_body> message = _parser->release();
    After after = message.keep_alive() ? After::KeepOpen : After::Close;
    std::string method = message.method() == http::verb::post ? "POST" : "GET";
    auto request = HttpRequest::fromTarget(method, std::string(message.target()));
    if (!request) return refuseAndClose(400, "the request target is no path or its %-escapes are broken");
    request->body = std::move(message.body());
    Payload payload = message.method() == http::verb::head ? Payload::HeadersOnly : Payload::Body;
    boost::asio::post(_workers, [self = shared_from_this(), request = std::move(*request), after, payload] {
        HttpResponse response;
        try {
            response = self->_settings.routes->answer(request);
        } catch (const std::exception&) {
            response.refuse(500, "the request failed inside the app");
        }
        boost::asio::post(self->_stream.get_executor(), [self, response = std::move(response), after, payload]() mutable {
            self->write(std::move(response), after, payload);
        });
    });
}

void HttpSession::write(HttpResponse response, After after, Payload payload) {
    _deadline.cancel();
    _answer = {};
    _answer.result(static_cast<unsigned>(response.status));
    _answer.version(11);
    if (!response.contentType.empty()) _answer.set(http::field::content_type, response.contentType);
    for (const auto& [name, value] : response.headers) _answer.set(name, value);
    for (const auto& [name, value] : _settings.commonHeaders) _answer.set(name, value);
    _answer.body() = std::move(response.body);
    _answer.keep_alive(after == After::KeepOpen);
    _answer.prepare_payload();
    // A HEAD is told the length of the body it does not get.
    if (payload == Payload::HeadersOnly) _answer.body().clear();
    _stream.expires_after(_settings.writeDeadline);
    http::async_write(_stream, _answer, [self = shared_from_this(), after](error_code error, std::size_t) {
        if (error) return;
        if (after == After::Close) return self->lingerThenClose();
        self->readHeader();
    });
}

void HttpSession::refuseAndClose(int status, const std::string& message) {
    HttpResponse response;
    response.refuse(status, message);
    write(std::move(response), After::Close, Payload::Body);
}

void HttpSession::lingerThenClose() {
    error_code ignored;
    _stream.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_send, ignored);
    _buffer.clear();
    _stream.expires_after(kLingerTime);
    drain();
}

void HttpSession::drain() {
    _stream.async_read_some(boost::asio::buffer(_discard), [self = shared_from_this()](error_code error, std::size_t count) {
        self->_discarded += count;
        if (error || self->_discarded > kMostDiscarded) return self->_stream.close();
        self->drain();
    });
}
