#pragma once

#include "host/PSControlTableCell.h"
#include "platform/UILabel.h"
#include "platform/UISlider.h"

// A row with a slider from the row's `min` to its `max`; with `showValue`,
// the value stands at the trailing end. A drag that ends changes the value.
// As on the phone the slider takes the row and its label is not shown (pages
// put a group's header above it); a stepper shows its label, which names its value.
class PSSliderTableCell : public PSControlTableCell {
public:
    OBJC_CLASS_NAME(PSSliderTableCell)

    static constexpr CGFloat kValueWidth = 44;

    std::shared_ptr<UISlider> slider() const { return std::static_pointer_cast<UISlider>(control()); }
    const std::shared_ptr<UILabel>& valueLabel() const { return _valueLabel; }

    void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;
    void setValue(const Value& value) override;
    void layoutSubviews() override;

protected:
    CGFloat trailingWidth() const override { return _valueLabel->isHidden() ? 0 : kValueWidth; }
    bool showsTitle() const override;

private:
    // The action its control sends, with the control as the sender.
    void sliderChanged(const std::shared_ptr<UIControl>& sender);
    void snapToStep();
    void showValue();

    std::shared_ptr<UILabel> _valueLabel;
};
