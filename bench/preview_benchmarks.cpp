// A tap as the browser sends it: POST /api/tap to the running Settings app
// on loopback, handed to its main thread, and the new screen sent back.

#include "bench/PreviewProcess.h"
#include "bench/SlowClients.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

// The selection page, reached as a person reaches it.
constexpr const char* kWayToSelectionPage[] = {"Vimble", "Configure", "Select Emoji"};

// One app for the whole run: starting it takes far longer than a tap, and
// repetitions come back to this benchmark many times.
PreviewProcess* sharedPreview() {
    static std::unique_ptr<PreviewProcess> preview = [] {
        auto started = std::make_unique<PreviewProcess>(VIMBLE_PREVIEW_EXECUTABLE);
        for (const char* text : kWayToSelectionPage) {
            if (started->post("tap", {{"text", text}}).status != 200) return std::unique_ptr<PreviewProcess>();
        }
        return started;
    }();
    return preview.get();
}

// Jumps between two sections by the index at the trailing edge ("A" leads to
// "Animals & Nature", the first "S" to "Smileys & People"): each tap builds a
// screen of rows and changes the whole screen, and none writes a file, so the
// round trip is what the app adds to a tap.
void tapBetweenSections(benchmark::State& state, PreviewProcess* preview) {
    if (!preview) return state.SkipWithError("the Settings app did not start or did not open the selection page");
    const char* indexTitles[] = {"A", "S"};
    std::size_t next = 0;
    for (auto _ : state) {
        auto answer = preview->post("tap", {{"text", indexTitles[next]}});
        // The answer is the new screen; reading it is the browser's work, not the app's.
        if (answer.status != 200 || answer.body.find("\"window\"") == std::string::npos) {
            return state.SkipWithError("the tap was not answered with the screen");
        }
        next = 1 - next;
    }
}
void BM_PreviewTap(benchmark::State& state) { tapBetweenSections(state, sharedPreview()); }
BENCHMARK(BM_PreviewTap)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same taps while 500 clients trickle requests they never finish: they
// must cost the app sockets, not the threads or the turn of the taps.
void BM_PreviewTapBesideSlowClients(benchmark::State& state) {
    constexpr std::size_t kSlowClients = 500;
    PreviewProcess* preview = sharedPreview();
    if (!preview) return state.SkipWithError("the Settings app did not start or did not open the selection page");
    SlowClients slow(preview->port(), kSlowClients);
    // Every one of them has started its request and is waiting for its next byte.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    tapBetweenSections(state, preview);
}
BENCHMARK(BM_PreviewTapBesideSlowClients)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
