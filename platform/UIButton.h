#pragma once

#include "platform/UIControl.h"
#include "platform/UILabel.h"

// A tappable title: bar buttons, alert actions and sheet buttons.
class UIButton : public UIControl {
public:
    OBJC_CLASS_NAME(UIButton)
    const char* viewKind() const override { return "button"; }
    UIAccessibilityTraits accessibilityTraits() const override {
        return UIControl::accessibilityTraits() | UIAccessibilityTraitButton;
    }

    std::shared_ptr<UIButton> initWithFrame(const CGRect& frame);

    const std::shared_ptr<UILabel>& titleLabel() const { return _titleLabel; }
    void setTitle(std::string title);
    void setTitleColor(std::shared_ptr<UIColor> color);

    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> _titleLabel;
};
