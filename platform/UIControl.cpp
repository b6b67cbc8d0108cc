#include "platform/UIControl.h"

void UIControl::addTarget_action_forControlEvents(const std::shared_ptr<NSObject>& target, Selector action,
                                                 UIControlEvents events) {
    _registrations.push_back({TargetAction{target, std::move(action)}, events});
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) {
    auto sender = Value(self<UIControl>());
    // An action may add or remove registrations: send to a snapshot.
    auto registrations = _registrations;
    for (const auto& registration : registrations) {
        if (registration.events == events) registration.targetAction.send(sender);
    }
}

UIAccessibilityTraits UIControl::accessibilityTraits() const {
    return UIView::accessibilityTraits() | (_enabled ? UIAccessibilityTraitNone : UIAccessibilityTraitNotEnabled);
}

bool UIControl::handleTap(CGPoint) {
    if (!_enabled) return true;
    sendActionsForControlEvents(UIControlEvents::TouchUpInside);
    return true;
}
