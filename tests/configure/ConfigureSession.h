#pragma once

#include "configure/VimbleConfigureController.h"
#include "configure/VimbleSkintoneCell.h"
#include "tests/support/PanelSession.h"

#include <memory>
#include <string>

// The configure page opened on its own, as the host shows it, with its
// skin-tone picker found where the host put it: the footer of "Skin Tones".
class ConfigureSession {
public:
    ConfigureSession();

    PanelSession& session() { return _session; }
    std::shared_ptr<VimbleConfigureController> page() const;
    // The picker on screen; nullptr when the host shows none.
    std::shared_ptr<VimbleSkintoneCell> picker() const;

    // The six rows' marks, "222 111 111 111 111 111"; a row shows "mixed"
    // when its picture does not go with its tag and "none" without a mark.
    std::string marks() const;
    // Taps the middle of the picker's row for `tone`.
    bool tapTone(long tone);

private:
    PanelSession _session;
};
