// Arbitrary bytes as the favourites file, through the emoji selection page:
// rows drawn (each build reads the file), two rows tapped, the trash emptied.
//
// Drawing every row builds 1,284 cells that each read the file, a second per
// input here; it is done for the inputs that read as a list. Any other input
// reads as no favourites at all, which the first screen of rows shows as well.
#include "catalog/VimbleCharManager.h"
#include "fuzz/FuzzInput.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "support/TableSweep.h"
#include "support/PanelSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    placeInput(VimbleFiles::favoritesFilePath(), data, size);
    bool readsAsList = PropertyList::readArray(VimbleFiles::favoritesFilePath()) != nullptr;
    {
        PanelSession session("VimbleSelectController");
        if (readsAsList) {
            TableSweep::drawEveryRow(session);
            session.scroll(-TableSweep::pageTable(session)->contentSize().height);
        }
        auto people = VimbleCharManager::sharedInstance()->peopleEmoji();
        session.tap(people.at(0));
        session.tap(people.at(1));
        session.tap("Trash");
    }
    settleInput();
    return 0;
}
