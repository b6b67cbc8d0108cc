#pragma once

#include <nlohmann/json.hpp>

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>

class HttpClient;

// The Settings app running as its own process, as a person starts it: on a
// fresh device root in a temporary directory and a free loopback port. It is
// stopped with SIGTERM, and the device root removed, when this goes.
class PreviewProcess {
public:
    explicit PreviewProcess(const std::string& executable);
    ~PreviewProcess();
    PreviewProcess(const PreviewProcess&) = delete;
    PreviewProcess& operator=(const PreviewProcess&) = delete;

    // False when the app did not start or did not say where it listens.
    bool running() const { return _port > 0; }
    int port() const { return _port; }

    struct Answer {
        int status = 0;   // 0: no answer at all
        std::string body; // as sent; parse it with json() when its contents matter
        nlohmann::json json() const { return nlohmann::json::parse(body, nullptr, false); }
    };
    // POST /api/<action> with a JSON body, over one kept-alive connection
    // without Nagle's delay, as a browser's.
    Answer post(const std::string& action, const nlohmann::json& body);
    // GET of `path` ("/api/tree") over the same connection.
    Answer get(const std::string& path);

    // CPU time the app has used so far, all its threads, in seconds, from
    // the scheduler's nanosecond counts; a negative number when unreadable.
    double cpuSeconds() const;

    // The app's resident memory now, from /proc; 0 when it cannot be read.
    // `field` names the line of /proc/PID/status: all of it ("VmRSS:"), or
    // the anonymous part alone, heap and stacks ("RssAnon:").
    std::size_t residentBytes(const char* field = "VmRSS:") const;

private:
    bool start(const std::string& executable);
    int readAnnouncedPort();

    std::filesystem::path _root;
    pid_t _pid = -1;
    int _output = -1; // the app's standard output, kept open while it runs
    int _port = 0;
    std::unique_ptr<HttpClient> _client;
};
