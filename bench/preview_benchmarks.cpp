// A tap as the browser sends it: POST /api/tap to the running Settings app
// on loopback, handed to its main thread, and the new screen sent back.

#include "bench/PreviewProcess.h"

#include <benchmark/benchmark.h>

#include <memory>

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
void BM_PreviewTap(benchmark::State& state) {
    PreviewProcess* preview = sharedPreview();
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
BENCHMARK(BM_PreviewTap)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
