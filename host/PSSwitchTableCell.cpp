#include "host/PSSwitchTableCell.h"

namespace {
const auto registration = ClassRegistration<PSSwitchTableCell, PSTableCell>()
                              .initializer<&PSSwitchTableCell::initWithStyle_reuseIdentifier_specifier>(
                                  "initWithStyle:reuseIdentifier:specifier:");
}

std::shared_ptr<PSTableCell> PSSwitchTableCell::initWithStyle_reuseIdentifier_specifier(
    UITableViewCellStyle style, const std::string& reuseIdentifier, const std::shared_ptr<PSSpecifier>& specifier) {
    if (!PSTableCell::initWithStyle_reuseIdentifier_specifier(style, reuseIdentifier, specifier)) return nullptr;
    _control = alloc<UISwitch>()->initWithFrame(CGRectZero);
    _control->addTarget_action_forControlEvents(self<PSSwitchTableCell>(),
                                                Selector::of<&PSSwitchTableCell::controlChanged>("controlChanged:"),
                                                UIControlEvents::ValueChanged);
    _control->setEnabled(cellEnabled());
    setAccessoryView(_control);
    setSelectionStyle(UITableViewCellSelectionStyle::None);
    return self<PSTableCell>();
}

void PSSwitchTableCell::controlChanged(const std::shared_ptr<UIControl>&) { sendValueChanged(Value(_control->isOn())); }

void PSSwitchTableCell::setCellEnabled(bool enabled) {
    PSTableCell::setCellEnabled(enabled);
    if (_control) _control->setEnabled(enabled);
}
