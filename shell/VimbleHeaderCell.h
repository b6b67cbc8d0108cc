#pragma once

#include "host/PSTableCell.h"

// The empty header above the root page's rows: it only reserves room, of the
// group's "spacerHeight", for the banner the page lays over it.
class VimbleHeaderCell : public PSTableCell {
public:
    OBJC_CLASS_NAME(VimbleHeaderCell)

    static constexpr const char* kReuseIdentifier = "VimbleHeaderCell";
    static constexpr const char* kSpacerHeightKey = "spacerHeight";

    std::shared_ptr<PSTableCell> initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

    // The same height at every width; 0 for a group without spacerHeight.
    CGFloat preferredHeightForWidth(CGFloat width) override;

    CGFloat height() const { return _height; }
    void setHeight(CGFloat height) { _height = height; }

private:
    CGFloat _height = 0;
};
