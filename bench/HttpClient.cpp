#include "bench/HttpClient.h"

#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include <sys/socket.h>

namespace http = boost::beast::http;
using boost::asio::ip::tcp;

bool HttpClient::connect() {
    boost::system::error_code error;
    _socket.close(error);
    _socket.connect(tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(_port)), error);
    if (!error) _socket.set_option(tcp::no_delay(true), error);
    _descriptor = error ? -1 : _socket.native_handle();
    return !error;
}

HttpClient::Answer HttpClient::exchange(const char* method, const std::string& target, const std::string& body) {
    http::request<http::string_body> request{http::string_to_verb(method), target, 11};
    request.set(http::field::host, "127.0.0.1:" + std::to_string(_port));
    if (!body.empty()) request.set(http::field::content_type, "application/json");
    request.body() = body;
    request.prepare_payload();
    // A kept connection the app has since closed fails once; the request then goes on a new one.
    for (int attempt = 0; attempt < 2 && !_stopped; ++attempt) {
        if (!_socket.is_open() && !connect()) return {};
        boost::system::error_code error;
        http::write(_socket, request, error);
        boost::beast::flat_buffer buffer;
        http::response<http::string_body> response;
        if (!error) http::read(_socket, buffer, response, error);
        if (!error) return {static_cast<int>(response.result_int()), std::move(response.body())};
        _socket.close(error);
    }
    return {};
}

void HttpClient::stop() {
    _stopped = true;
    // Shutting the socket down wakes a read blocked in another thread.
    if (int descriptor = _descriptor.load(); descriptor >= 0) ::shutdown(descriptor, SHUT_RDWR);
}
