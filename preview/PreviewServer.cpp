#include "preview/PreviewServer.h"

#include <httplib.h>

namespace {

constexpr const char* kLoopback = "127.0.0.1";
constexpr const char* kIndexPage = "index.html";
constexpr time_t kKeepAliveSeconds = 1;
constexpr time_t kReadTimeoutSeconds = 5;

// Scripts, styles and pictures come from this server alone; nothing is
// fetched from elsewhere and no other site may frame the page.
constexpr const char* kContentSecurityPolicy =
    "default-src 'self'; img-src 'self'; style-src 'self'; script-src 'self'; connect-src 'self'; "
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

void refuse(httplib::Response& response, int status, const std::string& message) {
    response.status = status;
    response.set_content(nlohmann::json{{"error", message}}.dump(), "application/json");
}

} // namespace

PreviewServer::PreviewServer(const std::filesystem::path& webRoot, const std::filesystem::path& deviceRoot,
                             AutomationApi& api)
    : _server(std::make_unique<httplib::Server>()),
      _webFiles(webRoot, {".html", ".js", ".css", ".svg", ".png", ".ico"}),
      _bundleFiles(deviceRoot / kBundlesDirectory, {".png"}),
      _entryFiles(deviceRoot / kEntriesDirectory, {".png"}),
      _appFiles(deviceRoot / kAppsDirectory, {".png"}),
      _api(api) {
    _server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    _server->set_payload_max_length(kLargestBody);
    _server->set_keep_alive_timeout(kKeepAliveSeconds);
    _server->set_read_timeout(kReadTimeoutSeconds);
    // A change must reach the browser at once, not after the client's delayed ACK.
    _server->set_tcp_nodelay(true);
    // The library's default also sets SO_REUSEPORT, with which a second copy
    // of the app would share the port silently instead of being told it is taken.
    _server->set_socket_options([this](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        _listeningSocket = socket;
    });
    _server->set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        refuse(response, 500, "the request failed inside the app");
    });
    installFileRoutes();
    _api.registerRoutes(*_server);
}

PreviewServer::~PreviewServer() = default;

int PreviewServer::bind(int port) {
    if (port == 0) {
        port = _server->bind_to_any_port(kLoopback);
    } else if (!_server->bind_to_port(kLoopback, port)) {
        port = -1;
    }
    if (port > 0) {
        // The library listens with a queue of 5: tabs that connect at once
        // would wait a second for the kernel's retry. Listening again only
        // lengthens the queue.
        ::listen(_listeningSocket, SOMAXCONN);
        _guard = std::make_unique<RequestGuard>(port);
        installSecurity();
    }
    return port;
}

void PreviewServer::listen() { _server->listen_after_bind(); }

void PreviewServer::stop() { _server->stop(); }

void PreviewServer::installSecurity() {
    _server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (std::string refusal = _guard->refusal(request); !refusal.empty()) {
            refuse(response, 403, refusal);
            return httplib::Server::HandlerResponse::Handled;
        }
        // The library checks a chunked body's size only per chunk: bodies come
        // with their length, which is checked before anything is read.
        if (request.has_header("Transfer-Encoding")) {
            refuse(response, 411, "send the body with a Content-Length");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    _server->set_post_routing_handler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Content-Type-Options", "nosniff");
        response.set_header("Referrer-Policy", "no-referrer");
        response.set_header("X-Frame-Options", "DENY");
        response.set_header("Content-Security-Policy", kContentSecurityPolicy);
    });
}

void PreviewServer::installFileRoutes() {
    _server->Get("/", [this](const httplib::Request&, httplib::Response& response) {
        if (!_webFiles.serve(kIndexPage, response)) refuse(response, 404, "the browser client is not installed");
    });
    _server->Get(R"(/device/(.+))", [this](const httplib::Request& request, httplib::Response& response) {
        std::string devicePath = request.matches[1];
        for (const auto& [directory, files] : {std::pair{kBundlesDirectory, &_bundleFiles}, {kEntriesDirectory, &_entryFiles},
                                               {kAppsDirectory, &_appFiles}}) {
            std::string prefix = std::string(directory) + "/";
            if (devicePath.starts_with(prefix) && files->serve(devicePath.substr(prefix.size()), response)) return;
        }
        refuse(response, 404, "no picture of an installed bundle, entry or app at /" + devicePath);
    });
    _server->Get(R"(/(?!api/|device/)(.+))", [this](const httplib::Request& request, httplib::Response& response) {
        if (!_webFiles.serve(request.matches[1], response)) refuse(response, 404, "no such file");
    });
}
