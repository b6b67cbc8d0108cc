#pragma once

#include "platform/Selector.h"
#include "platform/UIView.h"

#include <vector>

enum class UIControlEvents {
    TouchUpInside = 1 << 6,
    ValueChanged = 1 << 12,
    EditingChanged = 1 << 17,
    EditingDidEnd = 1 << 18,
};

// A view that sends actions to targets when the user works it.
class UIControl : public UIView {
public:
    OBJC_CLASS_NAME(UIControl)
    const char* viewKind() const override { return "control"; }
    // A control is worked as a whole; a disabled one says so.
    UIAccessibilityTraits accessibilityTraits() const override;
    bool isAccessibilityElement() const override { return true; }

    // The target is held weakly.
    void addTarget_action_forControlEvents(const std::shared_ptr<NSObject>& target, Selector action,
                                          UIControlEvents events);
    void sendActionsForControlEvents(UIControlEvents events);

    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled) { _enabled = enabled; }

    bool handleTap(CGPoint point) override;

private:
    struct Registration {
        TargetAction targetAction;
        UIControlEvents events;
    };
    std::vector<Registration> _registrations;
    bool _enabled = true;
};
