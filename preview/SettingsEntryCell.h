#pragma once

#include "platform/UITableViewCell.h"

// A row of the Settings list: the bundle's or app's icon at the phone's
// 29-point icon size, whatever the picture's own size, then the label. An app
// without an icon shows a plain rounded square in its place, as on the phone.
class SettingsEntryCell : public UITableViewCell {
public:
    OBJC_CLASS_NAME(SettingsEntryCell)

    static constexpr CGFloat kIconSize = 29;
    static constexpr const char* kReuseIdentifier = "SettingsEntryCell";

    std::shared_ptr<SettingsEntryCell> init();

    enum class Placeholder { None, RoundedSquare };

    const std::shared_ptr<UIImageView>& iconView() const { return _iconView; }
    // Shows `icon`, or without one the placeholder.
    void setIcon(std::shared_ptr<UIImage> icon, Placeholder placeholder);

    void layoutSubviews() override;

private:
    std::shared_ptr<UIImageView> _iconView;
};
