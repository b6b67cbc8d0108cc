// Live pages: how long an editor's save of the page on screen takes to be
// redrawn (the file renamed into place, seen by inotify, settled, handed to
// the main run loop, the page read again and the screen published), and what
// the watcher costs while nothing changes.

#include "platform/NSTimer.h"
#include "platform/RunLoop.h"
#include "platform/ViewQuery.h"
#include "preview/LivePages.h"
#include "preview/StateFeed.h"
#include "preview/StatePublisher.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>
#include <ctime>
#include <fstream>

namespace {

namespace fs = std::filesystem;
constexpr const char* kEntry = "Library/PreferenceLoader/Preferences/Lamp.plist";
constexpr int kRows = 30;
constexpr double kGiveUpSeconds = 3;

std::string entryPage(const std::string& firstLabel) {
    std::string items;
    for (int row = 0; row < kRows; ++row) {
        std::string label = row == 0 ? firstLabel : "Row " + std::to_string(row);
        items += "<dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>" + label +
                 "</string><key>key</key><string>k" + std::to_string(row) +
                 "</string><key>defaults</key><string>bench.lamp</string></dict>";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>entry</key><dict>)"
           "<key>label</key><string>Lamp</string></dict><key>items</key><array>" + items + "</array></dict></plist>";
}

// As editors save: a scratch file renamed over the page.
void save(const fs::path& file, const std::string& bytes) {
    fs::path scratch = file.string() + ".tmp";
    std::ofstream(scratch, std::ios::binary) << bytes;
    fs::rename(scratch, file);
}

// Runs the main run loop until `done` holds after a pass; false after kGiveUpSeconds.
// The loop is asked to stop once: a second request would stop the next run at once.
template <typename Done>
bool runUntil(Done done) {
    bool stopping = false;
    auto stopOnce = [&] {
        if (!std::exchange(stopping, true)) RunLoop::main().stop();
    };
    auto giveUp = NSTimer::scheduledTimerWithTimeInterval_repeats_block(kGiveUpSeconds, false,
                                                                        [&](NSTimer&) { stopOnce(); });
    auto observer = RunLoop::main().addObserver([&](const RunLoop::Pass&) {
        if (done()) stopOnce();
    });
    RunLoop::main().run();
    RunLoop::main().removeObserver(observer);
    giveUp->invalidate();
    return done();
}

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

void BM_LivePageReload(benchmark::State& state) {
    TemporaryDevice device;
    RunLoop::main().useSystemClock();
    fs::path entry = device.root() / kEntry;
    fs::create_directories(entry.parent_path());
    save(entry, entryPage("Bulb 0"));
    SettingsApp app;
    app.launch();
    StatePublisher publisher;
    StateFeed feed(app, publisher);
    feed.start();
    if (!app.tapText("Lamp")) return state.SkipWithError("the entry's page did not open");
    std::vector<EntryFolder> noFolders;
    LivePages live(app, noFolders, device.root(), device.root() / "no-image");
    std::string error;
    if (!live.start(error)) return state.SkipWithError(error.c_str());
    std::vector<double> milliseconds;
    int saves = 0;
    for (auto _ : state) {
        std::string label = "Bulb " + std::to_string(++saves);
        auto started = std::chrono::steady_clock::now();
        save(entry, entryPage(label));
        bool shown = runUntil([&] { return ViewQuery::findByText(app.window(), label) != nullptr; });
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
        if (!shown) return state.SkipWithError("the saved label was not shown");
        state.SetIterationTime(elapsed.count());
        milliseconds.push_back(elapsed.count() * 1000);
    }
    state.counters["p50_ms"] = percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = percentile(milliseconds, 0.95);
    live.stop();
    app.window()->setRootViewController(nullptr);
}
BENCHMARK(BM_LivePageReload)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Ten installed tweak projects watched, the Settings list on screen, nothing changing.
void BM_LivePagesIdle(benchmark::State& state) {
    TemporaryDevice device;
    RunLoop::main().useSystemClock();
    std::vector<EntryFolder> folders;
    for (int index = 0; index < 10; ++index) {
        std::string name = "Tweak" + std::to_string(index);
        fs::path project = device.root() / "projects" / name;
        fs::path entries = project / "layout" / fs::path(kEntry).parent_path();
        fs::create_directories(entries);
        save(entries / (name + ".plist"), entryPage(name));
        folders.emplace_back(project);
        if (auto installed = folders.back().installInto(device.root(), device.root() / "no-image"); !installed) {
            return state.SkipWithError(installed.error().c_str());
        }
    }
    SettingsApp app;
    app.launch();
    StatePublisher publisher;
    StateFeed feed(app, publisher);
    feed.start();
    LivePages live(app, folders, device.root(), device.root() / "no-image");
    std::string error;
    if (!live.start(error)) return state.SkipWithError(error.c_str());
    double percent = 0;
    for (auto _ : state) {
        double cpuBefore = processCpuSeconds();
        auto started = std::chrono::steady_clock::now();
        runUntil([] { return false; }); // the loop wakes only for its own give-up timer
        std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;
        percent = 100 * (processCpuSeconds() - cpuBefore) / wall.count();
        state.SetIterationTime(wall.count());
    }
    state.counters["idle_cpu_percent"] = percent;
    state.counters["watched_folders"] = static_cast<double>(live.watchedFolderCount());
    live.stop();
    app.window()->setRootViewController(nullptr);
}
BENCHMARK(BM_LivePagesIdle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
