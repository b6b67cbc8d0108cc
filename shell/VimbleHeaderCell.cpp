#include "shell/VimbleHeaderCell.h"

namespace {
const auto registration = ClassRegistration<VimbleHeaderCell, PSTableCell>()
                              .initializer<&VimbleHeaderCell::initWithSpecifier>("initWithSpecifier:");
}

std::shared_ptr<PSTableCell> VimbleHeaderCell::initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    auto cell = initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle::Default, kReuseIdentifier, specifier);
    if (!cell) return nullptr;
    // The height is read as a float, as the property's floatValue gives it,
    // and kept widened.
    float spacerHeight = specifier ? static_cast<float>(specifier->propertyForKey(kSpacerHeightKey).doubleValue()) : 0;
    setHeight(spacerHeight);
    return cell;
}

CGFloat VimbleHeaderCell::preferredHeightForWidth(CGFloat) { return _height; }
