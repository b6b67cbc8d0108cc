#pragma once

#include "platform/UIControl.h"

// A one-line text field. The phone's keyboard is not drawn: text arrives
// whole through `enterText`, as a person types it and presses Return, and the
// field sends EditingChanged and then EditingDidEnd.
class UITextField : public UIControl {
public:
    OBJC_CLASS_NAME(UITextField)
    const char* viewKind() const override { return "textField"; }

    std::shared_ptr<UITextField> initWithFrame(const CGRect& frame);

    const std::string& text() const { return _text; }
    void setText(std::string text) { _text = std::move(text); }
    // Shown in grey while the field is empty.
    const std::string& placeholder() const { return _placeholder; }
    void setPlaceholder(std::string placeholder) { _placeholder = std::move(placeholder); }

    // The text a person typed, then Return; nothing is sent by a disabled field.
    void enterText(std::string text);

    // A tap only puts the caret in the field: it does not reach the row.
    bool handleTap(CGPoint) override { return true; }

private:
    std::string _text;
    std::string _placeholder;
};
