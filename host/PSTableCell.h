#pragma once

#include "host/PSSpecifier.h"
#include "platform/UITableViewCell.h"

// A row cell of a list page, made for a specifier. Header and footer views
// named by a group are cells of this kind too; they tell their height
// through preferredHeightForWidth.
class PSTableCell : public UITableViewCell {
public:
    OBJC_CLASS_NAME(PSTableCell)

    std::shared_ptr<PSTableCell> initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle style,
                                                                         const std::string& reuseIdentifier,
                                                                         const std::shared_ptr<PSSpecifier>& specifier);

    const std::shared_ptr<UILabel>& titleLabel() const { return textLabel(); }
    const std::shared_ptr<PSSpecifier>& specifier() const { return _specifier; }

    // Shows the specifier's title and the accessory its kind of row has.
    virtual void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);
    // The height the cell wants as a header or footer view.
    virtual CGFloat preferredHeightForWidth(CGFloat width);

private:
    std::shared_ptr<PSSpecifier> _specifier;
};
