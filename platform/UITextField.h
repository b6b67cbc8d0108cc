#pragma once

#include "platform/UIControl.h"

enum class UIKeyboardType {
    Default = 0, ASCIICapable = 1, NumbersAndPunctuation = 2, URL = 3, NumberPad = 4, PhonePad = 5,
    NamePhonePad = 6, EmailAddress = 7, DecimalPad = 8
};
enum class UITextAutocapitalizationType { None = 0, Words = 1, Sentences = 2, AllCharacters = 3 };
enum class UITextAutocorrectionType { Default = 0, No = 1, Yes = 2 };

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

    // A secure field draws its text as dots.
    bool isSecureTextEntry() const { return _secureTextEntry; }
    void setSecureTextEntry(bool secure) { _secureTextEntry = secure; }
    UIKeyboardType keyboardType() const { return _keyboardType; }
    void setKeyboardType(UIKeyboardType type) { _keyboardType = type; }
    UITextAutocapitalizationType autocapitalizationType() const { return _autocapitalizationType; }
    void setAutocapitalizationType(UITextAutocapitalizationType type) { _autocapitalizationType = type; }
    UITextAutocorrectionType autocorrectionType() const { return _autocorrectionType; }
    void setAutocorrectionType(UITextAutocorrectionType type) { _autocorrectionType = type; }

    // The text a person typed, then Return; nothing is sent by a disabled field.
    void enterText(std::string text);

    // A tap only puts the caret in the field: it does not reach the row.
    bool handleTap(CGPoint) override { return true; }

private:
    std::string _text;
    std::string _placeholder;
    bool _secureTextEntry = false;
    UIKeyboardType _keyboardType = UIKeyboardType::Default;
    UITextAutocapitalizationType _autocapitalizationType = UITextAutocapitalizationType::Sentences;
    UITextAutocorrectionType _autocorrectionType = UITextAutocorrectionType::Default;
};
