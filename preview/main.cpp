// The Settings app on Linux: installs the build's bundles into a simulated
// phone, shows the phone in a browser, and serves until Ctrl-C.

#include "platform/Device.h"
#include "platform/RunLoop.h"
#include "preview/AppFolder.h"
#include "preview/AutomationApi.h"
#include "preview/DeviceImage.h"
#include "preview/EntryFolder.h"
#include "preview/PreviewOptions.h"
#include "preview/PreviewServer.h"
#include "preview/SettingsApp.h"
#include "preview/StateFeed.h"
#include "preview/StatePublisher.h"

#include <csignal>
#include <iostream>
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

bool prepareDevice(const PreviewOptions& options) {
    std::error_code status;
    std::filesystem::create_directories(options.deviceRoot, status);
    if (status) {
        std::cerr << "error: cannot create the device root " << options.deviceRoot << ": " << status.message() << "\n";
        return false;
    }
    Device::shared().setRootDirectory(options.deviceRoot);
    std::string error;
    if (!DeviceImage(options.bundleImage).installInto(Device::shared().rootDirectory(), error)) {
        std::cerr << "error: " << error << "\n";
        return false;
    }
    for (const auto& folder : options.entryFolders) {
        bool installed = AppFolder::isAppFolder(folder)
                             ? AppFolder(folder).install(error)
                             : EntryFolder(folder).installInto(Device::shared().rootDirectory(), options.bundleImage, error);
        if (!installed) {
            std::cerr << "error: " << error << "\n";
            return false;
        }
    }
    return true;
}

int serve(const PreviewOptions& options, const sigset_t& stopSignals) {
    SettingsApp app;
    app.launch();
    StatePublisher publisher;
    StateFeed feed(app, publisher);
    feed.start();
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
    std::string error;
    auto options = PreviewOptions::parse(argc, argv, error);
    if (!options) {
        std::cerr << "error: " << error << "\n" << PreviewOptions::usage(argv[0]);
        return 2;
    }
    if (options->showHelp) {
        std::cout << PreviewOptions::usage(argv[0]);
        return 0;
    }
    sigset_t stopSignals = blockStopSignals();
    if (!prepareDevice(*options)) return 1;
    return serve(*options, stopSignals);
}
