#pragma once

#include "host/PSTableCell.h"
#include "platform/UISwitch.h"

// A row with a switch at its trailing end. The page that shows the row sets
// the switch from its getter and hears every flip.
class PSSwitchTableCell : public PSTableCell {
public:
    OBJC_CLASS_NAME(PSSwitchTableCell)

    std::shared_ptr<PSTableCell> initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle style,
                                                                         const std::string& reuseIdentifier,
                                                                         const std::shared_ptr<PSSpecifier>& specifier);

    std::shared_ptr<UISwitch> control() const { return _control; }
    void setValue(const Value& value) override { _control->setOn(value.boolValue()); }
    void setCellEnabled(bool enabled) override;

private:
    // The action its control sends, with the control as the sender.
    void controlChanged(const std::shared_ptr<UIControl>& sender);

    std::shared_ptr<UISwitch> _control;
};
