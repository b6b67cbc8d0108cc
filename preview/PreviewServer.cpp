#include "preview/PreviewServer.h"

namespace {

constexpr const char* kLoopback = "127.0.0.1";
constexpr const char* kIndexPage = "index.html";

// Scripts, styles and pictures come from this server alone; nothing is
// fetched from elsewhere and no other site may frame the page.
constexpr const char* kContentSecurityPolicy =
    "default-src 'self'; img-src 'self'; style-src 'self'; script-src 'self'; connect-src 'self'; "
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

} // namespace

PreviewServer::PreviewServer(const std::filesystem::path& webRoot, const std::filesystem::path& deviceRoot,
                             AutomationApi& api)
    : _webFiles(webRoot, {".html", ".js", ".css", ".svg", ".png", ".ico"}),
      _bundleFiles(deviceRoot / kBundlesDirectory, {".png"}),
      _entryFiles(deviceRoot / kEntriesDirectory, {".png"}),
      _appFiles(deviceRoot / kAppsDirectory, {".png"}),
      _api(api) {
    installFileRoutes();
    _api.registerRoutes(_routes);
}

PreviewServer::~PreviewServer() = default;

HttpServer::Settings PreviewServer::settings() {
    HttpServer::Settings settings;
    settings.largestHeader = kLargestHeader;
    settings.largestBody = kLargestBody;
    settings.requestDeadline = kRequestDeadline;
    settings.mostConnections = kMostConnections;
    settings.workerThreads = kWorkerThreads;
    settings.routes = &_routes;
    settings.check = [this](const HttpServer::Header& header) { return _guard->refusal(header); };
    settings.commonHeaders = {{"X-Content-Type-Options", "nosniff"},
                              {"Referrer-Policy", "no-referrer"},
                              {"X-Frame-Options", "DENY"},
                              {"Content-Security-Policy", kContentSecurityPolicy}};
    return settings;
}

int PreviewServer::bind(int port) {
    _server = std::make_unique<HttpServer>(settings());
    int bound = _server->bind(kLoopback, port);
    if (bound > 0) _guard = std::make_unique<RequestGuard>(bound);
    return bound;
}

void PreviewServer::listen() { _server->run(); }

void PreviewServer::stop() { _server->stop(); }

void PreviewServer::installFileRoutes() {
    _routes.get("/", [this](const HttpRequest&, HttpResponse& response) {
        if (!_webFiles.serve(kIndexPage, response)) response.refuse(404, "the browser client is not installed");
    });
    _routes.getUnder(kDevicePrefix, [this](const HttpRequest& request, HttpResponse& response) {
        std::string devicePath = request.path.substr(std::string_view(kDevicePrefix).size());
        for (const auto& [directory, files] : {std::pair{kBundlesDirectory, &_bundleFiles}, {kEntriesDirectory, &_entryFiles},
                                               {kAppsDirectory, &_appFiles}}) {
            std::string prefix = std::string(directory) + "/";
            if (devicePath.starts_with(prefix) && files->serve(devicePath.substr(prefix.size()), response)) return;
        }
        response.refuse(404, "no picture of an installed bundle, entry or app at /" + devicePath);
    });
    _routes.getUnder("/", [this](const HttpRequest& request, HttpResponse& response) {
        if (!_webFiles.serve(request.path.substr(1), response)) response.refuse(404, "no such file");
    }, {"/api/"});
}
