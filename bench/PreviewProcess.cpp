#include "bench/PreviewProcess.h"

#include "bench/HttpClient.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMilliseconds = 20'000;
constexpr const char* kAnnouncement = "http://127.0.0.1:";

std::filesystem::path makeTemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vimble-preview-bench-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    return made ? std::filesystem::path(made) : std::filesystem::path();
}

} // namespace

PreviewProcess::PreviewProcess(const std::string& executable) : _root(makeTemporaryDirectory()) {
    if (_root.empty() || !start(executable)) return;
    _port = readAnnouncedPort();
    if (_port <= 0) return;
    _client = std::make_unique<HttpClient>(_port);
}

PreviewProcess::~PreviewProcess() {
    _client.reset();
    if (_pid > 0) {
        ::kill(_pid, SIGTERM);
        ::waitpid(_pid, nullptr, 0);
    }
    if (_output >= 0) ::close(_output);
    std::error_code ignored;
    if (!_root.empty()) std::filesystem::remove_all(_root, ignored);
}

bool PreviewProcess::start(const std::string& executable) {
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0) return false;
    std::string deviceRoot = (_root / "device").string();
    _pid = ::fork();
    if (_pid == 0) {
        ::dup2(channel[1], STDOUT_FILENO);
        const char* arguments[] = {executable.c_str(), "--port", "0", "--device-root", deviceRoot.c_str(), nullptr};
        ::execv(executable.c_str(), const_cast<char* const*>(arguments));
        ::_exit(127);
    }
    ::close(channel[1]);
    _output = channel[0];
    return _pid > 0;
}

// The app prints "Settings app on http://127.0.0.1:PORT/ ..." once it listens.
int PreviewProcess::readAnnouncedPort() {
    std::string printed;
    char buffer[256];
    pollfd waiting{_output, POLLIN, 0};
    while (::poll(&waiting, 1, kStartTimeoutMilliseconds) > 0) {
        ssize_t count = ::read(_output, buffer, sizeof buffer);
        if (count <= 0) return 0;
        printed.append(buffer, static_cast<std::size_t>(count));
        std::size_t at = printed.find(kAnnouncement);
        if (at == std::string::npos || printed.find('/', at + std::strlen(kAnnouncement)) == std::string::npos) continue;
        return std::atoi(printed.c_str() + at + std::strlen(kAnnouncement));
    }
    return 0;
}

PreviewProcess::Answer PreviewProcess::post(const std::string& action, const nlohmann::json& body) {
    if (!_client) return {};
    auto answer = _client->post("/api/" + action, body.dump());
    return {answer.status, std::move(answer.body)};
}

PreviewProcess::Answer PreviewProcess::get(const std::string& path) {
    if (!_client) return {};
    auto answer = _client->get(path);
    return {answer.status, std::move(answer.body)};
}

double PreviewProcess::cpuSeconds() const {
    constexpr double kNanosecondsPerSecond = 1e9;
    std::error_code status;
    std::filesystem::directory_iterator tasks("/proc/" + std::to_string(_pid) + "/task", status);
    if (status) return -1;
    double nanoseconds = 0;
    for (const auto& task : tasks) {
        std::ifstream counts(task.path() / "schedstat");
        double onCpu = 0;
        if (counts >> onCpu) nanoseconds += onCpu;
    }
    return nanoseconds / kNanosecondsPerSecond;
}

std::size_t PreviewProcess::residentBytes(const char* field) const {
    std::ifstream status("/proc/" + std::to_string(_pid) + "/status");
    constexpr std::size_t kBytesPerKilobyte = 1024;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) return std::strtoull(line.c_str() + std::strlen(field), nullptr, 10) * kBytesPerKilobyte;
    }
    return 0;
}
