#include "preview/RequestGuard.h"

#include <httplib.h>

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

std::string RequestGuard::refusal(const httplib::Request& request) const {
    std::string host = request.get_header_value("Host");
    if (!isOwnHost(host)) return "this server answers only to its own loopback address, not to Host \"" + host + "\"";
    if (request.method != "POST" || !request.has_header("Origin")) return {};
    std::string origin = request.get_header_value("Origin");
    if (!isOwnOrigin(origin, host)) return "requests from \"" + origin + "\" are not accepted";
    return {};
}
