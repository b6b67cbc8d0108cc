#include "host/PSPlistSpecifiers.h"

#include "host/PLFilter.h"
#include "host/PSItemKind.h"
#include "platform/NSLog.h"

namespace {

constexpr const char* kTitleKey = "title";
constexpr const char* kItemsKey = "items";
constexpr const char* kIconKey = "icon";
constexpr const char* kChooserClassName = "PSListItemsController";

Value valueFor(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? Value() : found->second;
}

// A list link whose `detail` is a class of the bundle's own and that lists no
// choices leads to that class's page, as a plain link does (FlagPaint's
// "Banners" row shows its state and opens the Banners page).
bool isPageLinkWithoutChoices(const ValueDictionary& item) {
    Value named = valueFor(item, PSDetailControllerClassKey);
    return named.isString() && named.asString() != kChooserClassName && !valueFor(item, PSValidValuesKey).isArray() &&
           !valueFor(item, PSValidTitlesKey).isArray();
}

// A list link opens the class its `detail` names when that class is loaded,
// else the chooser; a plain link only a loaded class (else the host finds its
// page when it is tapped).
const ObjCClass* detailClassFor(const ValueDictionary& item, PSCellType type) {
    Value named = valueFor(item, PSDetailControllerClassKey);
    const ObjCClass* detail = named.isString() ? objc_getClass(named.asString()) : nullptr;
    if (detail || type != PSCellType::LinkList || isPageLinkWithoutChoices(item)) return detail;
    return objc_getClass(kChooserClassName);
}

// The picture file of an `icon`, which may lie in a folder of the bundle
// ("icons/time.png"): as named, or at the phone's scales.
std::string iconPathIn(const NSBundle& bundle, const std::string& icon) {
    auto slash = icon.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : icon.substr(0, slash);
    std::string file = slash == std::string::npos ? icon : icon.substr(slash + 1);
    auto dot = file.rfind('.');
    std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
    std::string type = dot == std::string::npos ? "png" : file.substr(dot + 1);
    for (const char* scale : {"", "@2x", "@3x"}) {
        std::string path = bundle.pathForResource_ofType_inDirectory(stem + scale, type, folder);
        if (!path.empty()) return path;
    }
    return {};
}

} // namespace

Result<PSPlistPage> PSPlistSpecifiers::read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target,
                                             const PSPlistLocalizer& localizer, const std::shared_ptr<NSBundle>& bundle) {
    PSPlistPage page;
    Value title = valueFor(plist, kTitleKey);
    if (title.isString()) page.title = localizer.text(title.asString());
    Value items = valueFor(plist, kItemsKey);
    if (!items.isArray()) return Result<PSPlistPage>::failure("The page's \u201Citems\u201D is not a list.");
    std::size_t number = 0;
    for (const Value& item : *items.asArray()) {
        ++number;
        if (!item.isDictionary()) {
            NSLog("Settings: item " + std::to_string(number) + " of \u201Citems\u201D is not a dictionary; it is left out");
            continue;
        }
        if (!PLFilter::itemPasses(*item.asDictionary())) continue;
        auto row = rowFor(localizer.item(*item.asDictionary()), target);
        findIcon(*row, bundle);
        page.specifiers.push_back(row);
    }
    return Result<PSPlistPage>::success(std::move(page));
}

std::shared_ptr<PSSpecifier> PSPlistSpecifiers::rowFor(const ValueDictionary& item,
                                                       const std::shared_ptr<NSObject>& target) {
    Value label = valueFor(item, PSTitleKey);
    std::string name = label.isString() ? label.asString() : std::string();
    if (!label.isNil() && !label.isString()) NSLog("Settings: a row's \u201Clabel\u201D is not text; the row has none");
    PSItemKind kind = PSItemKind::of(item, name);
    if (!kind.problem.empty()) NSLog("Settings: " + kind.problem);
    auto row = kind.type == PSCellType::Group
                   ? PSSpecifier::groupSpecifierWithName(name)
                   : PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
                         name, target, Selector(), Selector(), detailClassFor(item, kind.type), kind.type, nullptr);
    for (const auto& [key, value] : item) row->setProperty_forKey(value, key);
    row->setProperty_forKey(Value(kind.name), PSCellKindKey);
    if (row->isGroup()) noteGroupViewClasses(*row);
    return row;
}

// A group's header or footer drawn by a class not loaded here shows the
// group's own label and footer text instead.
void PSPlistSpecifiers::noteGroupViewClasses(const PSSpecifier& group) {
    for (const std::string& key : {PSHeaderCellClassGroupKey, PSFooterCellClassGroupKey}) {
        Value named = group.propertyForKey(key);
        if (!named.isString() || objc_getClass(named.asString())) continue;
        NSLog("Settings: the " + key + " \u201C" + named.asString() + "\u201D of the group \u201C" + group.name() +
              "\u201D is not loaded here; the group shows its label and footer");
    }
}

// `icon` names a picture of the page's bundle; a missing one leaves the row without.
void PSPlistSpecifiers::findIcon(PSSpecifier& row, const std::shared_ptr<NSBundle>& bundle) {
    Value icon = row.propertyForKey(kIconKey);
    if (!bundle || !icon.isString() || icon.asString().empty()) return;
    std::string path = iconPathIn(*bundle, icon.asString());
    if (path.empty()) NSLog("Settings: the picture \u201C" + icon.asString() + "\u201D of \u201C" + row.name() + "\u201D is not in the bundle");
    row.setProperty_forKey(path.empty() ? Value() : Value(path), PSIconPathKey);
}
