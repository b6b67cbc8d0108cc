#include "host/PSTableCell.h"

#include "host/PSPlistSpecifiers.h"
#include "host/PSTextAlignment.h"
#include "platform/ObjCClass.h"
#include "platform/UIColor.h"

#include <map>

namespace {
const auto registration =
    ClassRegistration<PSTableCell, UITableViewCell>()
        .initializer<&PSTableCell::initWithStyle_reuseIdentifier_specifier>("initWithStyle:reuseIdentifier:specifier:");

// Rows that only show something.
bool isInert(PSCellType type) { return type == PSCellType::StaticText || type == PSCellType::TitleValue; }

// A missing key takes the fallback; "1", 1 and true read as on, as boolValue reads them.
bool isOn(const Value& value, bool fallback) { return value.isNil() ? fallback : value.boolValue(); }

// The text a row shows under its title: its `subtitle`, its `staticTextMessage`
// (a list link's belongs to its chooser, under the choices), or the profile a
// profile cell names.
std::string subtitleOf(const PSSpecifier& specifier) {
    if (Value text = specifier.propertyForKey("subtitle"); text.isString()) return text.asString();
    Value message = specifier.propertyForKey("staticTextMessage");
    if (message.isString() && specifier.cellType() != PSCellType::LinkList) return message.asString();
    Value user = specifier.propertyForKey("user");
    return user.isString() && !user.asString().empty() ? "@" + user.asString() : std::string();
}

// A chooser's row shows the short title of the value beside its label where it has one.
std::string shortTitleFor(const PSSpecifier& specifier, const Value& value) {
    Value titles = specifier.propertyForKey("shortTitles");
    Value values = specifier.propertyForKey(PSValidValuesKey);
    if (!titles.isArray() || !values.isArray()) return {};
    const ValueArray& valueList = *values.asArray();
    const ValueArray& titleList = *titles.asArray();
    for (std::size_t index = 0; index < valueList.size() && index < titleList.size(); ++index) {
        if (valueList[index] == value && titleList[index].isString()) return titleList[index].asString();
    }
    return {};
}
} // namespace

std::optional<PSCellType> PSTableCell::cellTypeFromString(const std::string& name) {
    static const std::map<std::string, PSCellType> kTypes = {
        {"PSGroupCell", PSCellType::Group},           {"PSLinkListCell", PSCellType::LinkList},
        {"PSTitleValueCell", PSCellType::TitleValue}, {"PSSliderCell", PSCellType::Slider},
        {"PSSwitchCell", PSCellType::Switch},         {"PSStaticTextCell", PSCellType::StaticText},
        {"PSEditTextCell", PSCellType::EditText},     {"PSSegmentCell", PSCellType::Segment},
        {"PSLinkCell", PSCellType::Link},             {"PSButtonCell", PSCellType::Button},
        {"PSSecureEditTextCell", PSCellType::SecureEditText}, {"PSEditTextViewCell", PSCellType::EditTextView},
        {"PSListItemCell", PSCellType::ListItem},
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
    // A button's title is drawn in the tint; a row that is not enabled is grey.
    bool enabled = isOn(specifier->propertyForKey("enabled"), true);
    titleLabel()->setTextColor(!enabled                                         ? UIColor::lightGrayColor()
                               : specifier->cellType() == PSCellType::Button ? nullptr
                                                                               : UIColor::blackColor());
    titleLabel()->setTextAlignment(PSTextAlignmentFromValue(specifier->propertyForKey("alignment")));
    if (detailTextLabel() && style() == UITableViewCellStyle::Subtitle) detailTextLabel()->setText(subtitleOf(*specifier));
    Value icon = specifier->propertyForKey(PSIconPathKey);
    imageView()->setImage(icon.isString() ? UIImage::imageWithContentsOfFile(icon.asString()) : nullptr);
    // A row that only shows something takes no touch: the person is not invited to tap it.
    bool inert = isInert(specifier->cellType()) || isOn(specifier->propertyForKey("isStaticText"), false) || !enabled;
    setUserInteractionEnabled(!inert);
    if (inert) setSelectionStyle(UITableViewCellSelectionStyle::None);
    setCellEnabled(enabled);
}

UITableViewCellStyle PSTableCell::styleFor(const PSSpecifier& specifier) {
    if (!subtitleOf(specifier).empty()) return UITableViewCellStyle::Subtitle;
    bool listLink = specifier.cellType() == PSCellType::LinkList && specifier.propertyForKey(PSValidTitlesKey).isArray();
    bool showsValue = specifier.cellType() == PSCellType::TitleValue || listLink;
    return showsValue ? UITableViewCellStyle::Value1 : UITableViewCellStyle::Default;
}

CGFloat PSTableCell::preferredHeightForWidth(CGFloat) { return frame().height(); }

void PSTableCell::setValue(const Value& value) {
    if (!detailTextLabel()) return;
    std::string title = _specifier ? shortTitleFor(*_specifier, value) : std::string();
    if (title.empty() && _specifier) title = _specifier->titleForValue(value);
    if (title.empty() && !value.isNil()) title = value.isString() ? value.asString() : value.description();
    detailTextLabel()->setText(title);
}

void PSTableCell::sendValueChanged(const Value& value) const {
    if (_valueChanged) _valueChanged(value);
}
