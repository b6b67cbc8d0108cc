#pragma once

#include "platform/UIControl.h"

// An on/off switch, 51 by 31 points. A tap flips it and sends ValueChanged.
class UISwitch : public UIControl {
public:
    OBJC_CLASS_NAME(UISwitch)
    const char* viewKind() const override { return "switch"; }

    static constexpr CGSize kSize{51, 31};

    std::shared_ptr<UISwitch> initWithFrame(const CGRect& frame);

    bool isOn() const { return _on; }
    void setOn(bool on) { _on = on; }
    void setOn_animated(bool on, bool animated);
    // The colour of the track while on; none: the tint colour.
    const std::shared_ptr<UIColor>& onTintColor() const { return _onTintColor; }
    void setOnTintColor(std::shared_ptr<UIColor> color) { _onTintColor = std::move(color); }

    bool handleTap(CGPoint point) override;

private:
    bool _on = false;
    std::shared_ptr<UIColor> _onTintColor;
};
