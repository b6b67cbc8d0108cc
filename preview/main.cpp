// The Settings app on Linux: installs the build's bundles into a simulated
// phone, shows the phone in a browser, and serves until Ctrl-C.

#include "platform/Device.h"
#include "platform/RunLoop.h"
#include "preview/AppFolder.h"
#include "preview/AutomationApi.h"
#include "preview/DeviceImage.h"
#include "preview/EntryFolder.h"
#include "preview/LivePages.h"
#include "preview/PreviewOptions.h"
#include "preview/PreviewServer.h"
#include "preview/SettingsApp.h"
#include "preview/StateFeed.h"
#include "preview/StatePublisher.h"

#include <csignal>
#include <iostream>
#include <sstream>
#include <pthread.h>
#include <thread>

namespace {

// Ctrl-C and SIGTERM are taken by one thread with sigwait, so that stopping
// can do what a signal handler may not: stop the server, let its threads
// finish their hand-overs to the main thread, then stop the run loop.
sigset_t blockStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signals;
}

// The device root made, the build's image and every --install folder installed into it.
Result<> prepareDevice(const PreviewOptions& options, std::vector<EntryFolder>& folders) {
    std::error_code status;
    std::filesystem::create_directories(options.deviceRoot, status);
    if (status) {
        std::ostringstream reason; // a path prints in quotes
        reason << "cannot create the device root " << options.deviceRoot << ": " << status.message();
        return Result<>::failure(reason.str());
    }
    Device::shared().setRootDirectory(options.deviceRoot);
    if (auto installed = DeviceImage(options.bundleImage).installInto(Device::shared().rootDirectory()); !installed) {
        return installed;
    }
    for (const auto& folder : options.entryFolders) {
        if (AppFolder::isAppFolder(folder)) {
            std::string error;
            if (!AppFolder(folder).install(error)) return Result<>::failure(error);
            continue;
        }
        folders.emplace_back(folder);
        auto installed = folders.back().installInto(Device::shared().rootDirectory(), options.bundleImage);
        if (!installed) return installed;
    }
    return Result<>::success();
}

int serve(const PreviewOptions& options, std::vector<EntryFolder>& folders, const sigset_t& stopSignals) {
    SettingsApp app;
    app.launch();
    StatePublisher publisher;
    StateFeed feed(app, publisher);
    feed.start();
    LivePages live(app, folders, Device::shared().rootDirectory(), options.bundleImage);
    std::string error;
    // Without inotify the app still serves; pages then follow the disk only when opened again.
    if (!live.start(error)) std::cerr << "warning: " << error << "\n";
    AutomationApi api(app, feed, publisher);
    PreviewServer server(options.webRoot, Device::shared().rootDirectory(), api);
    int port = server.bind(options.port);
    if (port < 0) {
        std::cerr << "error: cannot listen on 127.0.0.1:" << options.port << " (is it in use?)\n";
        return 1;
    }
    std::cout << "Settings app on http://127.0.0.1:" << port << "/ (device root "
              << Device::shared().rootDirectory().string() << "); Ctrl-C stops it" << std::endl;
    std::thread http([&server] { server.listen(); });
    std::thread stopper([&] {
        int received = 0;
        sigwait(&stopSignals, &received);
        live.stop();
        publisher.shutDown();
        server.stop();
        http.join();
        RunLoop::main().stop();
    });
    RunLoop::main().run();
    stopper.join();
    app.window()->setRootViewController(nullptr);
    std::cout << "Stopped." << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    auto parsed = PreviewOptions::parse(argc, argv);
    if (!parsed) {
        std::cerr << "error: " << parsed.error() << "\n" << PreviewOptions::usage(argv[0]);
        return 2;
    }
    const PreviewOptions& options = parsed.value();
    if (options.showHelp) {
        std::cout << PreviewOptions::usage(argv[0]);
        return 0;
    }
    sigset_t stopSignals = blockStopSignals();
    std::vector<EntryFolder> folders;
    if (auto prepared = prepareDevice(options, folders); !prepared) {
        std::cerr << "error: " << prepared.error() << "\n";
        return 1;
    }
    return serve(options, folders, stopSignals);
}
