#include "platform/UISwitch.h"

std::shared_ptr<UISwitch> UISwitch::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(CGRect{frame.origin, kSize});
    return self<UISwitch>();
}

void UISwitch::setOn_animated(bool on, bool animated) {
    if (!animated) {
        _on = on;
        return;
    }
    UIView::animateWithDuration_animations_completion(0.25, [this, on] { _on = on; noteAnimatedChange(); }, nullptr);
}

bool UISwitch::handleTap(CGPoint) {
    if (!isEnabled()) return true;
    setOn_animated(!_on, /*animated=*/true);
    sendActionsForControlEvents(UIControlEvents::ValueChanged);
    return true;
}
