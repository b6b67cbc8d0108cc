#pragma once

#include "preview/HttpRequest.h"
#include "preview/HttpResponse.h"

#include <functional>
#include <string>
#include <vector>

// Which handler answers a request: an exact path for a method, else the
// first prefix route that takes it; anything else is a 404 with a JSON error.
class HttpRoutes {
public:
    using Handler = std::function<void(const HttpRequest&, HttpResponse&)>;

    void get(std::string path, Handler handler) { add("GET", std::move(path), Match::Exact, std::move(handler)); }
    void post(std::string path, Handler handler) { add("POST", std::move(path), Match::Exact, std::move(handler)); }
    // GETs whose path starts with `prefix` and not with any of `exceptions`.
    void getUnder(std::string prefix, Handler handler, std::vector<std::string> exceptions = {});

    HttpResponse answer(const HttpRequest& request) const;

private:
    enum class Match { Exact, Prefix };
    struct Route {
        std::string method;
        std::string path;
        Match match;
        Handler handler;
        std::vector<std::string> exceptions;
        bool takes(const HttpRequest& request) const;
    };
    void add(std::string method, std::string path, Match match, Handler handler);

    std::vector<Route> _routes;
};
