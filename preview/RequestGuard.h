#pragma once

#include <string>

namespace httplib {
struct Request;
}

// Who may talk to the server: only pages and programs on this machine that
// address it by its own loopback name and port. A Host header naming anything
// else (DNS rebinding) is refused, and so is a POST whose Origin, when the
// browser sends one, is not the server's own (a page of another site).
class RequestGuard {
public:
    explicit RequestGuard(int port) : _port(port) {}

    // Empty when the request may pass; else why it may not.
    std::string refusal(const httplib::Request& request) const;

    bool isOwnHost(const std::string& host) const;
    bool isOwnOrigin(const std::string& origin, const std::string& host) const;

private:
    int _port;
};
