#pragma once

#include "platform/UIControl.h"

// A horizontal slider between a minimum and a maximum. A drag ends where the
// finger is lifted: the value follows the knob to that point and the slider
// sends ValueChanged once, as a slider that is not continuous does.
class UISlider : public UIControl {
public:
    OBJC_CLASS_NAME(UISlider)
    const char* viewKind() const override { return "slider"; }
    UIAccessibilityTraits accessibilityTraits() const override {
        return UIControl::accessibilityTraits() | UIAccessibilityTraitAdjustable;
    }

    static constexpr CGFloat kHeight = 31;
    // The knob's centre never comes nearer the ends than this.
    static constexpr CGFloat kKnobRadius = 14;

    std::shared_ptr<UISlider> initWithFrame(const CGRect& frame);

    float minimumValue() const { return _minimumValue; }
    void setMinimumValue(float value);
    float maximumValue() const { return _maximumValue; }
    void setMaximumValue(float value);
    float value() const { return _value; }
    // Held between the minimum and the maximum.
    void setValue(float value);

    // The value a knob centred at `x` (in the slider's own coordinates) stands for.
    float valueAtX(CGFloat x) const;
    // A drag of the knob that ends at `value`, or at `point` in window coordinates.
    void slideToValue(float value);
    void slideTo(CGPoint point);

    // A tap does not move the knob, and does not reach the row.
    bool handleTap(CGPoint) override { return true; }

private:
    float _minimumValue = 0;
    float _maximumValue = 1;
    float _value = 0;
};
