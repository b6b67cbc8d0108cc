#pragma once

#include "host/PSSwitchTableCell.h"

// The panel's switch row: the host's switch cell whose switch shows amber
// while on. Rows name it through their cellClass property.
class VimbleSwitch : public PSSwitchTableCell {
public:
    OBJC_CLASS_NAME(VimbleSwitch)

    static constexpr const char* kOnTintColor = "#FECA00";

    std::shared_ptr<PSTableCell> initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle style,
                                                                         const std::string& reuseIdentifier,
                                                                         const std::shared_ptr<PSSpecifier>& specifier);
};
