#pragma once

#include "host/PSControlTableCell.h"
#include "platform/UITextField.h"

// A row with a text field after its title, showing the row's `placeholder`
// while empty. The value changes when the person ends editing.
class PSEditableTableCell : public PSControlTableCell {
public:
    OBJC_CLASS_NAME(PSEditableTableCell)

    std::shared_ptr<UITextField> textField() const { return std::static_pointer_cast<UITextField>(control()); }

    void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;
    void setValue(const Value& value) override;

private:
    // The action its control sends, with the control as the sender.
    void editingEnded(const std::shared_ptr<UIControl>& sender);
};
