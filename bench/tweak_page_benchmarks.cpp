// Opening a tweak's 200-row page written in the old text form with a strings
// table beside it: the file read and parsed, every text localized, and the
// first screen of rows built and laid out.

#include "host/PSPlistListController.h"
#include "platform/RunLoop.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/Bench.bundle";
constexpr int kRows = 200;

class BenchTweakRoot : public PSPlistListController {
public:
    OBJC_CLASS_NAME(BenchTweakRoot)
    std::shared_ptr<BenchTweakRoot> init() {
        PSPlistListController::init();
        showPlistNamed(NSBundle::bundleWithPath(kBundle), "Root");
        return self<BenchTweakRoot>();
    }
};
const auto registration =
    ClassRegistration<BenchTweakRoot, PSPlistListController>().initializer<&BenchTweakRoot::init>("init");

// A group every ten rows; switches, sliders, choosers and text fields between.
void writeBundle(const TemporaryDevice& device) {
    static const char* kKinds[] = {"PSSwitchCell", "PSSliderCell; min = 0; max = 10", "PSEditTextCell",
                                   "PSLinkListCell; validTitles = (ONE, TWO); validValues = (1, 2)", "PSButtonCell"};
    std::string page = "{ title = TITLE; items = (\n";
    std::string strings = "\"TITLE\" = \"Bench\";\n\"ONE\" = \"One\";\n\"TWO\" = \"Two\";\n";
    for (int row = 0; row < kRows; ++row) {
        std::string key = "ROW_" + std::to_string(row);
        if (row % 10 == 0) page += "  { cell = PSGroupCell; label = GROUP_" + std::to_string(row) + "; },\n";
        page += "  { cell = " + std::string(kKinds[row % 5]) + "; label = " + key + "; key = k" + std::to_string(row) +
                "; defaults = com.example.bench; },\n";
        strings += "\"" + key + "\" = \"Row number " + std::to_string(row) + "\";\n";
        strings += "\"GROUP_" + std::to_string(row) + "\" = \"Group " + std::to_string(row) + "\";\n";
    }
    device.writeFile(std::string(kBundle) + "/Root.plist", page + "); }\n");
    device.writeFile(std::string(kBundle) + "/en.lproj/Root.strings", strings);
}

void BM_TweakPageOpen(benchmark::State& state) {
    TemporaryDevice device;
    writeBundle(device);
    for (auto _ : state) {
        std::optional<PanelSession> session(std::in_place, "BenchTweakRoot");
        state.PauseTiming();
        if (!session->shows("Row number 0")) return state.SkipWithError("the page did not lay out its localized rows");
        session.reset();
        RunLoop::main().advanceBy(1.0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TweakPageOpen)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
