#pragma once

#include "preview/HttpServer.h"

#include <optional>
#include <string>

// Who may talk to the server: only pages and programs on this machine that
// address it by its own loopback name and port. A Host header naming anything
// else (DNS rebinding) is refused, and so is a POST whose Origin, when the
// browser sends one, is not the server's own (a page of another site). A
// request naming two hosts or two origins is refused whatever they are.
class RequestGuard {
public:
    explicit RequestGuard(int port) : _port(port) {}

    // Nothing when the request may pass; else the 403 that says why not.
    std::optional<HttpServer::Refusal> refusal(const HttpServer::Header& header) const;

    bool isOwnHost(const std::string& host) const;
    bool isOwnOrigin(const std::string& origin, const std::string& host) const;

private:
    std::string reason(const HttpServer::Header& header) const;

    int _port;
};
