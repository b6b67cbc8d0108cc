#pragma once

#include "platform/ActivityMonitor.h"

#include <string>
#include <vector>

// What the panel says or shows besides its pages while this object lives:
// text on standard output or standard error, and every sheet or alert it
// presents. The panel reports no failure, so a test expects this to stay
// empty whatever the files hold.
class PanelOutput {
public:
    PanelOutput();
    ~PanelOutput();
    PanelOutput(const PanelOutput&) = delete;
    PanelOutput& operator=(const PanelOutput&) = delete;

    // Ends the capture; "" when the panel was silent, else what it said.
    std::string finish();
    // The files written while capturing, as "path ok" or "path failed".
    const std::vector<std::string>& filesWritten() const { return _filesWritten; }

private:
    bool _capturing = true;
    std::vector<std::string> _presented;
    std::vector<std::string> _filesWritten;
    ActivityMonitor::Subscription _subscription;
};
