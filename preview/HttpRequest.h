#pragma once

#include <map>
#include <optional>
#include <string>

// A request as the routes see it: read whole, its framing already checked.
// HEAD comes as GET (the answer's body is then left out).
struct HttpRequest {
    std::string method;
    std::string path; // percent-decoded, without the query
    std::map<std::string, std::string> params;
    std::string body;

    bool hasParam(const std::string& name) const { return params.contains(name); }
    std::optional<std::string> param(const std::string& name) const;

    // Splits a request target ("/a%20b?x=1&y") into the decoded path and
    // parameters; nullopt when it is not a path or its escapes are broken.
    static std::optional<HttpRequest> fromTarget(std::string method, const std::string& target);
};
