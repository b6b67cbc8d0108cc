#include "platform/UITextField.h"

std::shared_ptr<UITextField> UITextField::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    return self<UITextField>();
}

void UITextField::enterText(std::string text) {
    if (!isEnabled()) return;
    _text = std::move(text);
    sendActionsForControlEvents(UIControlEvents::EditingChanged);
    sendActionsForControlEvents(UIControlEvents::EditingDidEnd);
}
