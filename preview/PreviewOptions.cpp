#include "preview/PreviewOptions.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

constexpr const char* kDataFolder = "vimble-preview/device";
constexpr int kHighestPort = 65535;
constexpr std::string_view kOptionsWithValue[] = {"--port", "--device-root", "--bundle-image", "--web-root", "--install"};

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
           "  --install DIR      also install the tweak project (or folder of entries and bundles) DIR, and follow its edits;\n"
           "                     DIR may be an app (Name.app) or a Settings.bundle with the app's Info.plist beside it\n";
}

namespace {

// Sets the option `flag` names; fails when it names none or the value is wrong.
Result<> applyOption(PreviewOptions& options, std::string_view flag, const std::string& value) {
    if (flag == "--port") {
        auto port = parsePort(value);
        if (!port) return Result<>::failure("not a port number: " + value);
        options.port = *port;
        return Result<>::success();
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
        return Result<>::failure("unknown option " + std::string(flag));
    }
    return Result<>::success();
}

} // namespace

Result<PreviewOptions> PreviewOptions::parse(int argc, char** argv) {
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
        if (std::find(std::begin(kOptionsWithValue), std::end(kOptionsWithValue), flag) == std::end(kOptionsWithValue)) {
            return Result<PreviewOptions>::failure("unknown option " + std::string(flag));
        }
        if (index + 1 >= argc) return Result<PreviewOptions>::failure("missing value after " + std::string(flag));
        if (auto applied = applyOption(options, flag, argv[++index]); !applied) {
            return Result<PreviewOptions>::failure(applied.error());
        }
    }
    return Result<PreviewOptions>::success(std::move(options));
}
