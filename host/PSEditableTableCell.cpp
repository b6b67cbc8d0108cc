#include "host/PSEditableTableCell.h"

#include "platform/ObjCClass.h"

namespace {
const auto registration = ClassRegistration<PSEditableTableCell, PSControlTableCell>()
                              .initializer<&PSEditableTableCell::initWithStyle_reuseIdentifier_specifier>(
                                  "initWithStyle:reuseIdentifier:specifier:");
constexpr CGFloat kFieldHeight = 30;
} // namespace

void PSEditableTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    setSelectionStyle(UITableViewCellSelectionStyle::None);
    if (!control()) {
        auto field = alloc<UITextField>()->initWithFrame(CGRectMake(0, 0, 0, kFieldHeight));
        field->addTarget_action_forControlEvents(
            self<PSEditableTableCell>(), Selector::of<&PSEditableTableCell::editingEnded>("editingEnded:"),
            UIControlEvents::EditingDidEnd);
        setControl(field);
    }
    Value placeholder = specifier ? specifier->propertyForKey(PSPlaceholderKey) : Value();
    textField()->setPlaceholder(placeholder.isString() ? placeholder.asString() : std::string());
}

void PSEditableTableCell::setValue(const Value& value) {
    textField()->setText(value.isNil() ? std::string() : value.isString() ? value.asString() : value.description());
}

void PSEditableTableCell::editingEnded(const std::shared_ptr<UIControl>&) { sendValueChanged(Value(textField()->text())); }
