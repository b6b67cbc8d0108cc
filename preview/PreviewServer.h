#pragma once

#include "preview/AutomationApi.h"
#include "preview/HttpRoutes.h"
#include "preview/HttpServer.h"
#include "preview/RequestGuard.h"
#include "preview/StaticFiles.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

// The local web server: the browser client's files from the web root, the
// pictures of the device's installed bundles under /device/, and the
// automation interface under /api. It listens on 127.0.0.1 only, checks
// every request's Host and every POST's Origin, sends no CORS headers and
// takes small request bodies only, each request whole within a few seconds.
class PreviewServer {
public:
    static constexpr std::size_t kLargestBody = 16 * 1024;
    static constexpr std::size_t kLargestHeader = 16 * 1024;
    static constexpr std::chrono::seconds kRequestDeadline{5};
    // Open connections beyond waiting feeds and acting clients: room for
    // hundreds of clients that trickle their requests, each costing a socket
    // and at most one request's buffer until its deadline.
    static constexpr std::size_t kMostConnections = 2048;
    // Threads no waiting feed may take: taps, scrolls and reads always find one.
    static constexpr int kActingThreads = 24;
    // A thread blocked in a wait costs a few pages of memory and no time, so
    // every feed the API lets wait gets one of its own.
    static constexpr int kWorkerThreads = AutomationApi::kMostWaiting + kActingThreads;
    static constexpr const char* kDevicePrefix = "/device/";
    static constexpr const char* kBundlesDirectory = "Library/PreferenceBundles";
    // Entries without a bundle keep their icons beside them.
    static constexpr const char* kEntriesDirectory = "Library/PreferenceLoader/Preferences";
    // Apps' icons, in their bundle containers.
    static constexpr const char* kAppsDirectory = "var/containers/Bundle/Application";

    PreviewServer(const std::filesystem::path& webRoot, const std::filesystem::path& deviceRoot, AutomationApi& api);
    ~PreviewServer();

    // Binds 127.0.0.1:port (0: any free port); the port bound, or -1.
    int bind(int port);
    // Serves until `stop`, on the calling thread.
    void listen();
    void stop();

private:
    HttpServer::Settings settings();
    void installFileRoutes();

    HttpRoutes _routes;
    std::unique_ptr<RequestGuard> _guard;
    StaticFiles _webFiles;
    StaticFiles _bundleFiles;
    StaticFiles _entryFiles;
    StaticFiles _appFiles;
    AutomationApi& _api;
    std::unique_ptr<HttpServer> _server;
};
