#include "host/PSTableCell.h"

#include "platform/ObjCClass.h"

#include <map>

namespace {
const auto registration =
    ClassRegistration<PSTableCell, UITableViewCell>()
        .initializer<&PSTableCell::initWithStyle_reuseIdentifier_specifier>("initWithStyle:reuseIdentifier:specifier:");

// Rows that only show something.
bool isInert(PSCellType type) { return type == PSCellType::StaticText || type == PSCellType::TitleValue; }
} // namespace

std::optional<PSCellType> PSTableCell::cellTypeFromString(const std::string& name) {
    static const std::map<std::string, PSCellType> kTypes = {
        {"PSGroupCell", PSCellType::Group},           {"PSLinkListCell", PSCellType::LinkList},
        {"PSTitleValueCell", PSCellType::TitleValue}, {"PSSliderCell", PSCellType::Slider},
        {"PSSwitchCell", PSCellType::Switch},         {"PSStaticTextCell", PSCellType::StaticText},
        {"PSEditTextCell", PSCellType::EditText},     {"PSSegmentCell", PSCellType::Segment},
    };
    auto found = kTypes.find(name);
    return found == kTypes.end() ? std::nullopt : std::optional(found->second);
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
    // A row that only shows something takes no touch: the person is not invited to tap it.
    bool inert = isInert(specifier->cellType());
    setUserInteractionEnabled(!inert);
    if (inert) setSelectionStyle(UITableViewCellSelectionStyle::None);
}

CGFloat PSTableCell::preferredHeightForWidth(CGFloat) { return frame().height(); }

void PSTableCell::setValue(const Value& value) {
    if (!detailTextLabel()) return;
    std::string title = _specifier ? _specifier->titleForValue(value) : std::string();
    if (title.empty() && !value.isNil()) title = value.isString() ? value.asString() : value.description();
    detailTextLabel()->setText(title);
}

void PSTableCell::sendValueChanged(const Value& value) const {
    if (_valueChanged) _valueChanged(value);
}
