#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the Settings app is told on its command line.
struct PreviewOptions {
    static constexpr int kDefaultPort = 8765;

    std::filesystem::path deviceRoot;  // the simulated phone's storage
    std::filesystem::path bundleImage; // the build's device image, copied into the root at start
    std::filesystem::path webRoot;     // the browser client's files
    std::vector<std::filesystem::path> entryFolders; // entries and bundles installed beside the image's
    int port = kDefaultPort;           // 0: any free port
    bool showHelp = false;

    // Fails saying why when the command line makes no sense.
    static Result<PreviewOptions> parse(int argc, char** argv);
    static std::string usage(const char* program);

    // $XDG_DATA_HOME, else ~/.local/share, then the app's own folder.
    static std::filesystem::path defaultDeviceRoot();
};
