#pragma once

#include "host/PSTableCell.h"
#include "platform/UIControl.h"

// A row whose control stands beside its title and takes the rest of the
// row's width: a slider, segments, a text field.
class PSControlTableCell : public PSTableCell {
public:
    OBJC_CLASS_NAME(PSControlTableCell)

    static constexpr CGFloat kGap = 10;

    const std::shared_ptr<UIControl>& control() const { return _control; }

    void layoutSubviews() override;
    void setCellEnabled(bool enabled) override;

protected:
    // Puts `control` in the row in place of the one it had.
    void setControl(std::shared_ptr<UIControl> control);
    // Whether the row shows its title beside the control; one that does not
    // gives the control the whole row and keeps the title for the screen reader.
    virtual bool showsTitle() const { return true; }
    // Room kept at the trailing end for what the row shows beside its control.
    virtual CGFloat trailingWidth() const { return 0; }
    // Where that room starts, once the row is laid out.
    CGFloat trailingStart() const { return _trailingStart; }

private:
    std::shared_ptr<UIControl> _control;
    CGFloat _trailingStart = 0;
};
