#pragma once

#include "platform/UIButton.h"
#include "platform/UILabel.h"
#include "platform/UIView.h"

#include <functional>
#include <string>
#include <vector>

// The look shared by alerts, the share sheet and the mail composer: a dimmed
// screen with a white card of texts and buttons, centred or at the bottom.
class UIModalSheetView : public UIView {
public:
    OBJC_CLASS_NAME(UIModalSheetView)
    // An alert is centred; a sheet rises from the bottom or fills the screen.
    const char* viewKind() const override { return _placement == Placement::Centered ? "alert" : "sheet"; }

    enum class Placement { Centered, Bottom, FullScreen };
    struct Button {
        std::string title;
        std::function<void()> onTap;
        bool destructive = false;
        bool bold = false;
    };

    std::shared_ptr<UIModalSheetView> initWithPlacement(Placement placement);

    void addText(const std::string& text, double fontSize, bool bold);
    void addButton(Button button);
    const std::shared_ptr<UIView>& card() const { return _card; }

    void layoutSubviews() override;

private:
    CGFloat cardWidth() const;
    CGFloat layoutCardContents(CGFloat width);

    Placement _placement = Placement::Centered;
    std::shared_ptr<UIView> _card;
    std::vector<std::shared_ptr<UILabel>> _texts;
    std::vector<std::shared_ptr<UIButton>> _buttons;
    std::vector<std::shared_ptr<NSObject>> _buttonTargets;
};
