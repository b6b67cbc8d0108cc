#include "preview/HttpServer.h"

#include "preview/HttpSession.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

#include <sys/resource.h>

namespace {

constexpr auto kStopGrace = std::chrono::milliseconds(200);

// Each connection takes a descriptor, and a desktop's default of 1024 would
// let a few hundred slow clients and some tabs use them up.
void raiseDescriptorLimit(std::size_t wanted) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= wanted) return;
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, wanted);
    setrlimit(RLIMIT_NOFILE, &limit);
}

} // namespace

HttpServer::HttpServer(Settings settings)
    : _settings(std::move(settings)), _workers(static_cast<std::size_t>(_settings.workerThreads)) {
    constexpr std::size_t kDescriptorsBesideConnections = 256;
    raiseDescriptorLimit(_settings.mostConnections + kDescriptorsBesideConnections);
}

HttpServer::~HttpServer() {
    _io.stop();
    _workers.join();
}

int HttpServer::bind(const std::string& address, int port) {
    boost::system::error_code error;
    boost::asio::ip::tcp::endpoint endpoint(boost::asio::ip::make_address(address, error),
                                            static_cast<unsigned short>(port));
    if (error) return -1;
    _acceptor.open(endpoint.protocol(), error);
    // No SO_REUSEPORT: a second copy of the app must be told the port is taken.
    if (!error) _acceptor.set_option(boost::asio::socket_base::reuse_address(true), error);
    if (!error) _acceptor.bind(endpoint, error);
    if (!error) _acceptor.listen(boost::asio::socket_base::max_listen_connections, error);
    if (error) {
        _acceptor.close(error);
        return -1;
    }
    accept();
    return _acceptor.local_endpoint().port();
}

void HttpServer::run() {
    auto work = boost::asio::make_work_guard(_io);
    _io.run();
}

void HttpServer::stop() {
    boost::asio::post(_io, [this] {
        boost::system::error_code ignored;
        _acceptor.close(ignored);
    });
    // Handlers under way may be waiting for the main thread, which runs until they are done.
    _workers.join();
    // Their answers are on their way out: a moment for them, then every connection is cut.
    boost::asio::post(_io, [this] {
        auto grace = std::make_shared<boost::asio::steady_timer>(_io, kStopGrace);
        grace->async_wait([this, grace](boost::system::error_code) { _io.stop(); });
    });
}

void HttpServer::accept() {
    _acceptor.async_accept([this](boost::system::error_code error, boost::asio::ip::tcp::socket socket) {
        if (error == boost::asio::error::operation_aborted || !_acceptor.is_open()) return;
        if (!error && _connections.load() < _settings.mostConnections) {
            std::make_shared<HttpSession>(std::move(socket), _settings, _workers, _connections)->start();
        }
        accept();
    });
}
