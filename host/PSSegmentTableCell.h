#pragma once

#include "host/PSControlTableCell.h"
#include "platform/UISegmentedControl.h"

// A row of segments, one per title of the row's `validTitles`; the chosen
// segment stands for the value at the same place in `validValues`.
class PSSegmentTableCell : public PSControlTableCell {
public:
    OBJC_CLASS_NAME(PSSegmentTableCell)

    std::shared_ptr<UISegmentedControl> segments() const {
        return std::static_pointer_cast<UISegmentedControl>(control());
    }

    void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;
    void setValue(const Value& value) override;

private:
    // The action its control sends, with the control as the sender.
    void segmentChanged(const std::shared_ptr<UIControl>& sender);
};
