// Opening the panel: the root page created by name, its rows built from its
// specifiers (reading the settings file), and its first screen laid out.

#include "platform/PropertyList.h"
#include "platform/RunLoop.h"
#include "shell/VimbleFiles.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

// Long enough for every page's title-icon timer to fire and let go of its page.
constexpr double kPastTitleIconFadeIn = 1.0;

void BM_RootOpen(benchmark::State& state) {
    TemporaryDevice device;
    ValueDictionary settings{{"Enabled", true}, {"Skintone", false}};
    if (!PropertyList::write(Value::dictionary(settings), VimbleFiles::settingsFilePath())) {
        return state.SkipWithError("cannot write settings");
    }
    for (auto _ : state) {
        std::optional<PanelSession> session(std::in_place);
        state.PauseTiming();
        if (!session->shows("Configure")) return state.SkipWithError("root page did not lay out its rows");
        session.reset();
        RunLoop::main().advanceBy(kPastTitleIconFadeIn);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RootOpen)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
