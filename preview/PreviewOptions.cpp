#include "preview/PreviewOptions.h"

#include <cstdlib>
#include <string_view>

namespace {

constexpr const char* kDataFolder = "vimble-preview/device";
constexpr int kHighestPort = 65535;

std::optional<int> parsePort(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    for (char digit : text) {
        if (digit < '0' || digit > '9') return std::nullopt;
    }
    int port = std::stoi(text);
    if (port > kHighestPort) return std::nullopt;
    return port;
}

} // namespace

std::filesystem::path PreviewOptions::defaultDeviceRoot() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') return std::filesystem::path(dataHome) / kDataFolder;
    const char* home = std::getenv("HOME");
    std::filesystem::path base = home && *home ? std::filesystem::path(home) : std::filesystem::temp_directory_path();
    return base / ".local/share" / kDataFolder;
}

std::string PreviewOptions::usage(const char* program) {
    return std::string("usage: ") + program +
           " [--port N] [--device-root DIR] [--bundle-image DIR] [--web-root DIR] [--install DIR]...\n"
           "  --port N           listen on 127.0.0.1:N (default 8765; 0 picks a free port)\n"
           "  --device-root DIR  the simulated phone's storage (default " +
           defaultDeviceRoot().string() +
           ")\n"
           "  --bundle-image DIR the installed bundles to copy into the device at start\n"
           "  --web-root DIR     the browser client's files\n"
           "  --install DIR      also install the Settings entries (*.plist, *.png) and bundles (*.bundle) in DIR;\n"
           "                     DIR may be an app (Name.app) or a Settings.bundle with the app's Info.plist beside it\n";
}

namespace {

// Sets the option `flag` names; false with `error` set when it names none or the value is wrong.
bool applyOption(PreviewOptions& options, std::string_view flag, const std::string& value, std::string& error) {
    if (flag == "--port") {
        auto port = parsePort(value);
        if (!port) error = "not a port number: " + value;
        if (port) options.port = *port;
        return port.has_value();
    }
    if (flag == "--device-root") {
        options.deviceRoot = value;
    } else if (flag == "--bundle-image") {
        options.bundleImage = value;
    } else if (flag == "--web-root") {
        options.webRoot = value;
    } else if (flag == "--install") {
        options.entryFolders.emplace_back(value);
    } else {
        error = "unknown option " + std::string(flag);
        return false;
    }
    return true;
}

} // namespace

std::optional<PreviewOptions> PreviewOptions::parse(int argc, char** argv, std::string& error) {
    PreviewOptions options;
    options.deviceRoot = defaultDeviceRoot();
    options.bundleImage = PREVIEW_DEFAULT_DEVICE_IMAGE;
    options.webRoot = PREVIEW_DEFAULT_WEB_ROOT;
    for (int index = 1; index < argc; ++index) {
        std::string_view flag = argv[index];
        if (flag == "--help" || flag == "-h") {
            options.showHelp = true;
            continue;
        }
        if (index + 1 >= argc) {
            error = "missing value after " + std::string(flag);
            return std::nullopt;
        }
        if (!applyOption(options, flag, argv[++index], error)) return std::nullopt;
    }
    return options;
}
