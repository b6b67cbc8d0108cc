#pragma once

#include "platform/UITableViewCell.h"

// A plain table cell whose image view is always 100 points wide, wherever
// the base layout puts it.
class VimbleTableViewCell : public UITableViewCell {
public:
    OBJC_CLASS_NAME(VimbleTableViewCell)

    static constexpr CGFloat kImageWidth = 100;

    void layoutSubviews() override;
};
