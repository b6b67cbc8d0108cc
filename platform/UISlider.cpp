#include "platform/UISlider.h"

#include <algorithm>

std::shared_ptr<UISlider> UISlider::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    return self<UISlider>();
}

void UISlider::setMinimumValue(float value) {
    _minimumValue = value;
    _maximumValue = std::max(_maximumValue, value);
    setValue(_value);
}

void UISlider::setMaximumValue(float value) {
    _maximumValue = value;
    _minimumValue = std::min(_minimumValue, value);
    setValue(_value);
}

void UISlider::setValue(float value) { _value = std::clamp(value, _minimumValue, _maximumValue); }

float UISlider::valueAtX(CGFloat x) const {
    CGFloat track = bounds().width() - 2 * kKnobRadius;
    if (track <= 0) return _minimumValue;
    double fraction = std::clamp((x - kKnobRadius) / track, 0.0, 1.0);
    return static_cast<float>(_minimumValue + fraction * (_maximumValue - _minimumValue));
}

void UISlider::slideToValue(float value) {
    if (!isEnabled()) return;
    setValue(value);
    sendActionsForControlEvents(UIControlEvents::ValueChanged);
}

void UISlider::slideTo(CGPoint point) {
    CGRect inWindow = convertRectToAncestor(bounds(), nullptr);
    slideToValue(valueAtX(point.x - inWindow.origin.x));
}
