// Arbitrary bytes as the skin-tone file, through the picker under the
// configure page: drawn whole, then a tap on a row chosen by the input and
// one on the row marked, if any.
#include "fuzz/FuzzDevice.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/PageStates.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

namespace {

constexpr long kTones = 6;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& device = FuzzDevice::shared();
    device.place(VimbleFiles::skintoneFilePath(), data, size);
    {
        PanelSession session("VimbleConfigureController");
        TableSweep::drawEveryRow(session);
        session.scroll(-TableSweep::pageTable(session)->contentSize().height);
        std::string marks = PageStates::pickerMarks(session);
        PageStates::tapTone(session, static_cast<long>(size % kTones));
        auto marked = marks.find("222");
        if (marked != std::string::npos) PageStates::tapTone(session, static_cast<long>(marked / 4));
    }
    device.settle();
    return 0;
}
