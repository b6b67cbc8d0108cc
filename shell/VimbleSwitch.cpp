#include "shell/VimbleSwitch.h"

#include "shell/getColorFromHex.h"

namespace {
const auto registration =
    ClassRegistration<VimbleSwitch, PSSwitchTableCell>()
        .initializer<&VimbleSwitch::initWithStyle_reuseIdentifier_specifier>("initWithStyle:reuseIdentifier:specifier:");
}

std::shared_ptr<PSTableCell> VimbleSwitch::initWithStyle_reuseIdentifier_specifier(
    UITableViewCellStyle style, const std::string& reuseIdentifier, const std::shared_ptr<PSSpecifier>& specifier) {
    auto cell = PSSwitchTableCell::initWithStyle_reuseIdentifier_specifier(style, reuseIdentifier, specifier);
    if (!cell) return nullptr;
    control()->setOnTintColor(getColorFromHex(kOnTintColor));
    return cell;
}
