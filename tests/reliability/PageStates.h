#pragma once

#include "platform/UITableView.h"
#include "tests/reliability/TableSweep.h"
#include "tests/support/PanelSession.h"

#include <memory>
#include <string>
#include <vector>

// The panel's pages as short strings, to compare whole states at once.
class PageStates {
public:
    static constexpr long kChosenTag = 222;

    // The root page: its "Enable" switch and whether "Configure" is shown, "on shown".
    static std::string root(const PanelSession& session);
    // The configure page's "Set Default Skin Tone" switch: "on", "off" or "none".
    static std::string skintoneSwitch(const PanelSession& session);
    // The skin-tone picker's own table on the configure page.
    static std::shared_ptr<UITableView> pickerTable(const PanelSession& session);
    // The picker's six marks by tag, "222 111 111 111 111 111"; "none" for a row without one.
    static std::string pickerMarks(const PanelSession& session);
    // Taps the middle of the picker's row for `tone`.
    static bool tapTone(PanelSession& session, long tone);
    // The titles of the rows drawn chosen, each after a space: " 😀 🇫🇷".
    static std::string chosen(const std::vector<DrawnRow>& rows);
    // The titles of the rows, joined by "|".
    static std::string titles(const std::vector<DrawnRow>& rows);
};
