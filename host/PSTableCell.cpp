#include "host/PSTableCell.h"

#include "platform/ObjCClass.h"

namespace {
const auto registration =
    ClassRegistration<PSTableCell, UITableViewCell>()
        .initializer<&PSTableCell::initWithStyle_reuseIdentifier_specifier>("initWithStyle:reuseIdentifier:specifier:");
}

std::shared_ptr<PSTableCell> PSTableCell::initWithStyle_reuseIdentifier_specifier(
    UITableViewCellStyle style, const std::string& reuseIdentifier, const std::shared_ptr<PSSpecifier>& specifier) {
    initWithStyle_reuseIdentifier(style, reuseIdentifier);
    refreshCellContentsWithSpecifier(specifier);
    return self<PSTableCell>();
}

void PSTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    _specifier = specifier;
    if (!specifier) return;
    titleLabel()->setText(specifier->name());
    bool isLink = specifier->cellType() == PSCellType::Link || specifier->cellType() == PSCellType::LinkList;
    setAccessoryType(isLink ? UITableViewCellAccessoryType::DisclosureIndicator : UITableViewCellAccessoryType::None);
    if (specifier->cellType() == PSCellType::Button) titleLabel()->setTextColor(nullptr);
}

CGFloat PSTableCell::preferredHeightForWidth(CGFloat) { return frame().height(); }
