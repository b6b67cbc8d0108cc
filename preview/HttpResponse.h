#pragma once

#include <string>
#include <utility>
#include <vector>

// What a route answers; the server adds the length and its common headers.
struct HttpResponse {
    int status = 200;
    std::string body;
    std::string contentType;
    std::vector<std::pair<std::string, std::string>> headers;

    void setContent(std::string content, std::string type) {
        body = std::move(content);
        contentType = std::move(type);
    }
    void setHeader(std::string name, std::string value) { headers.emplace_back(std::move(name), std::move(value)); }
    // {"error": message}; bytes of the message that are no UTF-8 (a header or
    // path quoted back) are replaced, so that an error is never itself one.
    void refuse(int refusedStatus, const std::string& message);
};
