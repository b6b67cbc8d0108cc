#include "preview/HttpRoutes.h"

#include <algorithm>

void HttpRoutes::add(std::string method, std::string path, Match match, Handler handler) {
    _routes.push_back({std::move(method), std::move(path), match, std::move(handler), {}});
}

void HttpRoutes::getUnder(std::string prefix, Handler handler, std::vector<std::string> exceptions) {
    add("GET", std::move(prefix), Match::Prefix, std::move(handler));
    _routes.back().exceptions = std::move(exceptions);
}

bool HttpRoutes::Route::takes(const HttpRequest& request) const {
    if (request.method != method) return false;
    if (match == Match::Exact) return request.path == path;
    if (!request.path.starts_with(path)) return false;
    return std::none_of(exceptions.begin(), exceptions.end(),
                        [&](const std::string& exception) { return request.path.starts_with(exception); });
}

// Exact routes are found first wherever they were added.
HttpResponse HttpRoutes::answer(const HttpRequest& request) const {
    HttpResponse response;
    for (Match pass : {Match::Exact, Match::Prefix}) {
        for (const Route& route : _routes) {
            if (route.match != pass || !route.takes(request)) continue;
            route.handler(request, response);
            return response;
        }
    }
    response.refuse(404, "nothing answers " + request.method + " " + request.path);
    return response;
}
