#pragma once

#include "platform/UITableViewCell.h"

// A row of the Settings list: the bundle's icon at the phone's 29-point icon
// size, whatever the picture's own size, then the label.
class SettingsEntryCell : public UITableViewCell {
public:
    OBJC_CLASS_NAME(SettingsEntryCell)

    static constexpr CGFloat kIconSize = 29;
    static constexpr const char* kReuseIdentifier = "SettingsEntryCell";

    std::shared_ptr<SettingsEntryCell> init();

    const std::shared_ptr<UIImageView>& iconView() const { return _iconView; }

    void layoutSubviews() override;

private:
    std::shared_ptr<UIImageView> _iconView;
};
