#include "bench/SlowClients.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr auto kByteInterval = std::chrono::seconds(1);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
// Never ends: after the request line comes one header that grows forever.
constexpr const char kRequestStart[] = "GET /api/tree HTTP/1.1\r\nX-Slow: ";

} // namespace

SlowClients::SlowClients(int port, std::size_t count) : _port(port), _sockets(count, -1), _sent(count, 0) {
    for (int& socket : _sockets) socket = connectOne();
    _thread = std::thread([this] { trickle(); });
}

SlowClients::~SlowClients() {
    _stopping = true;
    _thread.join();
    for (int socket : _sockets) {
        if (socket >= 0) ::close(socket);
    }
}

int SlowClients::connectOne() const {
    int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(_port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket >= 0 && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return socket;
    if (socket >= 0) ::close(socket);
    return -1;
}

// False when the app has closed the connection.
bool SlowClients::sendNextByte(int socket, std::size_t& sent) const {
    char answer[512];
    ssize_t read = ::recv(socket, answer, sizeof answer, MSG_DONTWAIT);
    if (read >= 0) return false; // an answer (the 408) or the end: either way the app let go
    char next = sent < sizeof kRequestStart - 1 ? kRequestStart[sent] : 'x';
    if (::send(socket, &next, 1, MSG_DONTWAIT | MSG_NOSIGNAL) != 1) return false;
    ++sent;
    return true;
}

void SlowClients::trickle() {
    auto nextByte = std::chrono::steady_clock::now();
    while (!_stopping) {
        std::this_thread::sleep_for(kPollInterval);
        if (std::chrono::steady_clock::now() < nextByte) continue;
        nextByte += kByteInterval;
        for (std::size_t client = 0; client < _sockets.size(); ++client) {
            if (_sockets[client] >= 0 && sendNextByte(_sockets[client], _sent[client])) continue;
            if (_sockets[client] >= 0) ++_cutOff;
            if (_sockets[client] >= 0) ::close(_sockets[client]);
            _sockets[client] = connectOne();
            _sent[client] = 0;
        }
    }
}
