#include "preview/AutomationApi.h"

#include "platform/CoreFoundationVersions.h"
#include "platform/Device.h"
#include "preview/InstalledLanguages.h"

#include "platform/RunLoop.h"

#include "preview/HttpRoutes.h"

#include <cmath>
#include <regex>

using nlohmann::json;

namespace {

constexpr double kLargestDistance = 1e6;
constexpr std::size_t kMostApps = 16;
constexpr std::size_t kLongestText = 4096;

// The body, with the screen's ready JSON text spliced in as "window".
std::string bodyText(const AutomationApi::Reply& reply) {
    std::string text = reply.body.dump();
    if (!reply.window || !reply.body.is_object()) return text;
    text.pop_back();
    if (!reply.body.empty()) text += ',';
    text += "\"window\":";
    text += *reply.window;
    text += '}';
    return text;
}

void send(HttpResponse& response, const AutomationApi::Reply& reply) {
    response.status = reply.status;
    response.setHeader("Cache-Control", "no-store");
    response.setContent(bodyText(reply), "application/json");
}

std::uint64_t numberParameter(const HttpRequest& request, const char* name) {
    return request.hasParam(name) ? std::strtoull(request.param(name)->c_str(), nullptr, 10) : 0;
}

AutomationApi::Reply failure(int status, std::string message) { return {status, {{"error", std::move(message)}}}; }

bool isNumber(const json& value) {
    return value.is_number() && std::isfinite(value.get<double>()) && std::abs(value.get<double>()) <= kLargestDistance;
}

std::optional<CGPoint> pointFrom(const json& value) {
    if (!value.is_array() || value.size() != 2 || !isNumber(value[0]) || !isNumber(value[1])) return std::nullopt;
    return CGPointMake(value[0].get<double>(), value[1].get<double>());
}

// An app is named by its URL scheme.
bool isScheme(const json& value) {
    static const std::regex kScheme("[a-z][a-z0-9+.-]{0,63}");
    return value.is_string() && std::regex_match(value.get<std::string>(), kScheme);
}

template <typename Work>
auto onMain(Work work) {
    return RunLoop::main().performAndWait(std::move(work));
}

} // namespace

void AutomationApi::post(HttpRoutes& routes, const char* path, Action action) {
    routes.post(path, [action](const HttpRequest& request, HttpResponse& response) {
        json body = request.body.empty() ? json::object() : json::parse(request.body, nullptr, /*allow_exceptions=*/false);
        if (body.is_discarded() || !body.is_object()) return send(response, failure(400, "the body must be a JSON object"));
        send(response, action(body));
    });
}

void AutomationApi::registerRoutes(HttpRoutes& routes) {
    routes.get("/api/tree", [this](const HttpRequest&, HttpResponse& response) {
        send(response, treeReply(onMain([this] { return _feed.publishNow(); })));
    });
    routes.get("/api/state", [this](const HttpRequest& request, HttpResponse& response) {
        send(response, state(request));
    });
    routes.get("/api/events", [this](const HttpRequest&, HttpResponse& response) {
        onMain([this] { return _feed.publishNow(); });
        StatePublisher::Events events;
        _publisher.current({}, events);
        send(response, {200, std::move(events.entries)});
    });
    routes.get("/api/files", [this](const HttpRequest&, HttpResponse& response) {
        onMain([this] {
            _feed.filesChanged();
            return _feed.publishNow();
        });
        send(response, {200, *_publisher.current().files});
    });
    routes.get("/api/device", [this](const HttpRequest&, HttpResponse& response) {
        send(response, {200, onMain([this] { return _app.deviceState(); })});
    });
    post(routes, "/api/tap", [this](const json& body) { return tap(body); });
    post(routes, "/api/scroll", [this](const json& body) { return scroll(body); });
    post(routes, "/api/text", [this](const json& body) { return text(body); });
    post(routes, "/api/slider", [this](const json& body) { return slider(body); });
    post(routes, "/api/back", [this](const json&) { return back(); });
    post(routes, "/api/device", [this](const json& body) { return device(body); });
    post(routes, "/api/reset", [this](const json&) { return reset(); });
}

AutomationApi::Reply AutomationApi::treeReply(std::uint64_t version) const {
    StatePublisher::Snapshot snapshot = _publisher.current();
    return {200, {{"version", std::max(version, snapshot.version)}, {"clock", snapshot.clock}}, snapshot.window};
}

AutomationApi::Reply AutomationApi::actOnMain(const std::function<Result<>()>& work) {
    auto [done, version] = onMain([&] {
        Result<> outcome = work();
        return std::make_pair(outcome, _feed.publishNow());
    });
    if (!done) return failure(404, done.error());
    return treeReply(version);
}

AutomationApi::Reply AutomationApi::tap(const json& body) {
    if (body.contains("text") && body["text"].is_string()) {
        auto text = body["text"].get<std::string>();
        return actOnMain([&] { return _app.tapText(text); });
    }
    if (body.contains("switch") && body["switch"].is_string()) {
        auto title = body["switch"].get<std::string>();
        return actOnMain([&] { return _app.tapSwitch(title); });
    }
    if (body.contains("point")) {
        auto point = pointFrom(body["point"]);
        if (!point) return failure(400, "\"point\" must be [x, y] in screen points");
        return actOnMain([&] {
            _app.tapPoint(*point);
            return Result<>::success();
        });
    }
    return failure(400, "tap needs {\"text\": T}, {\"switch\": T} or {\"point\": [x, y]}");
}

AutomationApi::Reply AutomationApi::scroll(const json& body) {
    if (!body.contains("dy") || !isNumber(body["dy"])) return failure(400, "scroll needs {\"dy\": N} in points");
    double dy = body["dy"].get<double>();
    std::optional<CGPoint> point;
    if (body.contains("point")) {
        point = pointFrom(body["point"]);
        if (!point) return failure(400, "\"point\" must be [x, y] in screen points");
    }
    bool moved = false;
    Reply reply = actOnMain([&] {
        moved = _app.scroll(dy, point);
        return Result<>::success();
    });
    reply.body["scrolled"] = moved;
    return reply;
}

AutomationApi::Reply AutomationApi::text(const json& body) {
    if (!body.contains("text") || !body["text"].is_string() || body["text"].get_ref<const std::string&>().size() > kLongestText) {
        return failure(400, "text needs {\"text\": T} of at most 4096 bytes, with {\"row\": title} or {\"point\": [x, y]}");
    }
    auto typed = body["text"].get<std::string>();
    if (body.contains("row") && body["row"].is_string()) {
        auto row = body["row"].get<std::string>();
        return actOnMain([&] { return _app.enterText(row, typed); });
    }
    auto point = body.contains("point") ? pointFrom(body["point"]) : std::nullopt;
    if (!point) return failure(400, "text needs {\"row\": title} or {\"point\": [x, y]} in screen points");
    return actOnMain([&] { return _app.enterTextAt(*point, typed); });
}

AutomationApi::Reply AutomationApi::slider(const json& body) {
    std::optional<double> value;
    if (body.contains("value")) {
        if (!isNumber(body["value"])) return failure(400, "\"value\" must be a number");
        value = body["value"].get<double>();
    }
    if (body.contains("row") && body["row"].is_string()) {
        if (!value) return failure(400, "slider needs {\"value\": N} with a row");
        auto row = body["row"].get<std::string>();
        return actOnMain([&] { return _app.slide(row, *value); });
    }
    auto point = body.contains("point") ? pointFrom(body["point"]) : std::nullopt;
    if (!point) return failure(400, "slider needs {\"row\": title, \"value\": N} or {\"point\": [x, y]}");
    return actOnMain([&] { return _app.slideAt(*point, value); });
}

AutomationApi::Reply AutomationApi::back() {
    return actOnMain([this] { return _app.back(); });
}

AutomationApi::Reply AutomationApi::device(const json& body) {
    std::optional<bool> landscape;
    if (body.contains("orientation")) {
        const json& orientation = body["orientation"];
        if (orientation != "portrait" && orientation != "landscape") {
            return failure(400, "\"orientation\" is \"portrait\" or \"landscape\"");
        }
        landscape = orientation == "landscape";
    }
    std::optional<std::set<std::string>> apps;
    if (body.contains("installedApps")) {
        const json& list = body["installedApps"];
        if (!list.is_array() || list.size() > kMostApps || !std::all_of(list.begin(), list.end(), isScheme)) {
            return failure(400, "\"installedApps\" is a list of URL schemes such as \"tweetbot\"");
        }
        apps = list.get<std::set<std::string>>();
    }
    std::optional<std::string> language, system;
    if (body.contains("language")) {
        if (!body["language"].is_string()) return failure(400, "\"language\" is one of the device's \"languages\"");
        language = body["language"].get<std::string>();
    }
    if (body.contains("systemVersion")) {
        const json& version = body["systemVersion"];
        if (!version.is_string() || !CoreFoundationVersions::forSystemVersion(version.get<std::string>())) {
            return failure(400, "\"systemVersion\" is one of the device's \"systemVersions\"");
        }
        system = version.get<std::string>();
    }
    if (!landscape && !apps && !language && !system) {
        return failure(400, "device needs \"orientation\", \"installedApps\", \"language\" or \"systemVersion\"");
    }
    json state;
    Reply reply = actOnMain([&] {
        if (language) {
            auto offered = InstalledLanguages::list();
            if (std::find(offered.begin(), offered.end(), *language) == offered.end()) {
                return Result<>::failure("\"language\" is one of the device's \"languages\"");
            }
            // The phone falls back to English where a page has no table of the chosen language.
            Device::shared().setPreferredLanguages(*language == "en" ? std::vector<std::string>{"en"}
                                                                      : std::vector<std::string>{*language, "en"});
        }
        if (system) Device::shared().setSystemVersion(*system);
        if (apps) _app.setInstalledApps(*apps);
        if (landscape) _app.setLandscape(*landscape);
        state = _app.deviceState();
        return Result<>::success();
    });
    reply.body["device"] = state;
    return reply;
}

AutomationApi::Reply AutomationApi::reset() {
    Reply reply = actOnMain([this] {
        _app.reset();
        _feed.clearEvents();
        _feed.filesChanged();
        return Result<>::success();
    });
    StatePublisher::Snapshot snapshot = _publisher.current();
    reply.body["files"] = *snapshot.files;
    reply.body["device"] = *snapshot.device;
    return reply;
}

// The browser's feed: with `since`, waits until the phone changes past that
// version; `events` is the index of the first log entry the caller lacks, in
// the log's generation `generation` (the current one when not given).
AutomationApi::Reply AutomationApi::state(const HttpRequest& request) {
    bool busy = request.hasParam("since") && !waitPast(numberParameter(request, "since"));
    EventLog::Position position{numberParameter(request, "events"), std::nullopt};
    if (request.hasParam("generation")) position.generation = numberParameter(request, "generation");
    StatePublisher::Events events;
    StatePublisher::Snapshot snapshot = _publisher.current(position, events);
    json body{{"version", snapshot.version},
              {"clock", snapshot.clock},
              {"files", *snapshot.files},
              {"device", *snapshot.device},
              {"events", std::move(events.entries)},
              {"eventsFrom", events.from},
              {"eventCount", events.count},
              {"eventGeneration", events.generation}};
    if (busy) body["busy"] = true;
    return {200, std::move(body), snapshot.window};
}

bool AutomationApi::waitPast(std::uint64_t since) {
    if (++_waiting > kMostWaiting) {
        --_waiting;
        return false;
    }
    _publisher.waitForNewerThan(since, std::chrono::seconds(kLongPollSeconds));
    --_waiting;
    return true;
}
