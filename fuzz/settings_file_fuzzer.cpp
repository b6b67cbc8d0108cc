// Arbitrary bytes as the settings file, through the two pages that read it:
// the root page opened, every row drawn, "Enable" flipped, "Configure"
// followed; then the configure page on the same bytes, drawn and flipped.
#include "fuzz/FuzzInput.h"
#include "shell/VimbleFiles.h"
#include "support/TableSweep.h"
#include "support/PanelSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    placeInput(VimbleFiles::settingsFilePath(), data, size);
    {
        PanelSession root;
        TableSweep::drawEveryRow(root);
        root.tapSwitch("Enable");
        root.tapSwitch("Enable");
        if (root.tap("Configure")) TableSweep::drawEveryRow(root);
    }
    placeInput(VimbleFiles::settingsFilePath(), data, size);
    {
        PanelSession configure("VimbleConfigureController");
        TableSweep::drawEveryRow(configure);
        configure.tapSwitch("Set Default Skin Tone");
    }
    settleInput();
    return 0;
}
