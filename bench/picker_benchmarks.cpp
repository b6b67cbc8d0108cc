// The skin-tone picker drawing its six rows, as it does when the configure
// page shows it: every row reads the skin-tone file and loads its mark.

#include "configure/VimbleSkintoneCell.h"
#include "host/PSSpecifier.h"
#include "platform/ObjCClass.h"
#include "shell/VimbleFiles.h"
#include "shell/VimbleRadioMark.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long kStoredTone = 3;

void BM_PickerDraw(benchmark::State& state) {
    TemporaryDevice device;
    if (!VimbleFiles::setValuesForKeys(VimbleFiles::skintoneFilePath(),
                                       {{VimbleSkintoneCell::kToneKey, Value(std::to_string(kStoredTone))},
                                        {VimbleSkintoneCell::kShouldUpdateKey, Value(true)}})) {
        return state.SkipWithError("cannot write the skin-tone file");
    }
    // Made by name with its group's record, as the host makes a footer cell.
    auto group = PSSpecifier::groupSpecifierWithName("Skin Tones");
    auto picker = std::dynamic_pointer_cast<VimbleSkintoneCell>(
        objc_getClass("VimbleSkintoneCell")->create("initWithSpecifier:", {Value(group)}));
    if (!picker) return state.SkipWithError("the picker did not initialise");
    auto table = picker->tableView();
    for (auto _ : state) {
        std::size_t drawnBefore = table->cellsProvided();
        table->reloadData();
        if (table->cellsProvided() - drawnBefore != VimbleSkintoneCell::kToneCount) {
            return state.SkipWithError("the picker did not draw six rows");
        }
    }
    auto marked = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(kStoredTone, 0));
    if (!VimbleRadioMark::isActive(marked)) state.SkipWithError("the stored tone is not marked");
}
BENCHMARK(BM_PickerDraw)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
