#pragma once

#include "host/PSSpecifier.h"
#include "platform/UITableViewCell.h"

#include <functional>
#include <optional>

// A row cell of a list page, made for a specifier. Header and footer views
// named by a group are cells of this kind too; they tell their height
// through preferredHeightForWidth.
class PSTableCell : public UITableViewCell {
public:
    OBJC_CLASS_NAME(PSTableCell)

    using ValueChangedHandler = std::function<void(const Value&)>;

    // The kind a property list names ("PSSwitchCell", ...); nullopt for a name the host does not know.
    static std::optional<PSCellType> cellTypeFromString(const std::string& name);

    // The style a row's cell is made with: a subtitle when it has one, the
    // value beside the title for rows that show one.
    static UITableViewCellStyle styleFor(const PSSpecifier& specifier);

    std::shared_ptr<PSTableCell> initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle style,
                                                                         const std::string& reuseIdentifier,
                                                                         const std::shared_ptr<PSSpecifier>& specifier);

    const std::shared_ptr<UILabel>& titleLabel() const { return textLabel(); }
    const std::shared_ptr<PSSpecifier>& specifier() const { return _specifier; }

    // Shows the specifier's title and the accessory its kind of row has.
    virtual void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);
    // The height the cell wants as a header or footer view.
    virtual CGFloat preferredHeightForWidth(CGFloat width);

    // Shows the row's value: in the detail label, by its title among the
    // row's valid titles when it has them.
    virtual void setValue(const Value& value);
    // Hears every change a person makes to the value.
    void setValueChangedHandler(ValueChangedHandler handler) { _valueChanged = std::move(handler); }

    // Whether the row takes touches (its `enabled`); a row with a control
    // shows that control dimmed when it does not.
    bool cellEnabled() const { return _cellEnabled; }
    virtual void setCellEnabled(bool enabled) { _cellEnabled = enabled; }

protected:
    void sendValueChanged(const Value& value) const;

private:
    std::shared_ptr<PSSpecifier> _specifier;
    ValueChangedHandler _valueChanged;
    bool _cellEnabled = true;
};
