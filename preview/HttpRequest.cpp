#include "preview/HttpRequest.h"

#include <algorithm>
#include <string_view>

namespace {

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

// "%2e" -> "."; in a query, '+' is a space as forms send it.
std::optional<std::string> decoded(std::string_view text, bool plusIsSpace) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '+' && plusIsSpace) {
            result += ' ';
            continue;
        }
        if (text[at] != '%') {
            result += text[at];
            continue;
        }
        if (at + 2 >= text.size()) return std::nullopt;
        int high = hexValue(text[at + 1]);
        int low = hexValue(text[at + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        result += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return result;
}

} // namespace

std::optional<std::string> HttpRequest::param(const std::string& name) const {
    auto found = params.find(name);
    if (found == params.end()) return std::nullopt;
    return found->second;
}

std::optional<HttpRequest> HttpRequest::fromTarget(std::string method, const std::string& target) {
    if (target.empty() || target.front() != '/') return std::nullopt;
    std::string_view whole = target;
    std::size_t question = whole.find('?');
    auto path = decoded(whole.substr(0, question), false);
    if (!path) return std::nullopt;
    HttpRequest request{std::move(method), std::move(*path), {}, {}};
    if (question == std::string_view::npos) return request;
    std::string_view query = whole.substr(question + 1);
    while (!query.empty()) {
        std::string_view pair = query.substr(0, query.find('&'));
        query.remove_prefix(std::min(query.size(), pair.size() + 1));
        std::size_t equals = pair.find('=');
        auto name = decoded(pair.substr(0, equals), true);
        auto value = decoded(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1), true);
        if (!name || !value) return std::nullopt;
        request.params.emplace(std::move(*name), std::move(*value));
    }
    return request;
}
