#include "preview/RequestGuard.h"


#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<const char*, 3> kLoopbackNames{"127.0.0.1", "localhost", "[::1]"};

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

bool RequestGuard::isOwnHost(const std::string& host) const {
    std::string wanted = lowercased(host);
    return std::any_of(kLoopbackNames.begin(), kLoopbackNames.end(), [&](const char* name) {
        return wanted == std::string(name) + ":" + std::to_string(_port);
    });
}

// The page's origin must be the very address the request was sent to.
bool RequestGuard::isOwnOrigin(const std::string& origin, const std::string& host) const {
    return isOwnHost(host) && lowercased(origin) == "http://" + lowercased(host);
}

std::string RequestGuard::reason(const HttpServer::Header& header) const {
    namespace http = boost::beast::http;
    if (header.count(http::field::host) > 1) return "a request names one Host";
    if (header.count(http::field::origin) > 1) return "a request names one Origin";
    std::string host(header[http::field::host]);
    if (!isOwnHost(host)) return "this server answers only to its own loopback address, not to Host \"" + host + "\"";
    if (header.method() != http::verb::post || header.count(http::field::origin) == 0) return {};
    std::string origin(header[http::field::origin]);
    if (!isOwnOrigin(origin, host)) return "requests from \"" + origin + "\" are not accepted";
    return {};
}

std::optional<HttpServer::Refusal> RequestGuard::refusal(const HttpServer::Header& header) const {
    std::string why = reason(header);
    if (why.empty()) return std::nullopt;
    return HttpServer::Refusal{403, std::move(why)};
}
