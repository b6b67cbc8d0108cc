// Arbitrary bytes as the skin-tone file, through the picker under the
// configure page: drawn whole, then a tap on a row chosen by the input and
// one on the row marked, if any.
#include "fuzz/FuzzInput.h"
#include "platform/ViewQuery.h"
#include "shell/VimbleFiles.h"
#include "support/PanelSession.h"
#include "support/TableSweep.h"

namespace {

constexpr long kTones = 6;
constexpr long kChosenTag = 222;

// The picker's own table, inside the page's table.
std::shared_ptr<UITableView> pickerTable(const PanelSession& session) {
    for (const auto& subview : TableSweep::pageTable(session)->subviews()) {
        if (auto table = TableSweep::firstTableIn(subview)) return table;
    }
    return nullptr;
}

std::shared_ptr<UITableViewCell> toneCell(const PanelSession& session, long tone) {
    auto table = pickerTable(session);
    return table ? table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(tone, 0)) : nullptr;
}

void tapTone(PanelSession& session, long tone) {
    if (auto cell = toneCell(session, tone)) session.tapPoint(ViewQuery::centerInWindow(*cell));
}

long markedTone(const PanelSession& session) {
    for (long tone = 0; tone < kTones; ++tone) {
        auto cell = toneCell(session, tone);
        if (cell && cell->accessoryView() && cell->accessoryView()->tag() == kChosenTag) return tone;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    placeInput(VimbleFiles::skintoneFilePath(), data, size);
    {
        PanelSession session("VimbleConfigureController");
        TableSweep::drawEveryRow(session);
        session.scroll(-TableSweep::pageTable(session)->contentSize().height);
        long marked = markedTone(session);
        tapTone(session, static_cast<long>(size % kTones));
        if (marked >= 0) tapTone(session, marked);
    }
    settleInput();
    return 0;
}
