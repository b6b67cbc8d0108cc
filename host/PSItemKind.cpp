#include "host/PSItemKind.h"

#include "host/PSTableCell.h"

#include <map>

namespace {

std::string textFor(const ValueDictionary& item, const std::string& key) {
    auto found = item.find(key);
    return found != item.end() && found->second.isString() ? found->second.asString() : std::string();
}

std::string quoted(const std::string& text) { return "\u201C" + text + "\u201D"; }

// The cells of the widely used HB preference library, by the row each one is.
const std::map<std::string, PSCellType>& libraryCells() {
    static const std::map<std::string, PSCellType> cells = {
        {"HBLinkTableCell", PSCellType::Button},         {"HBTwitterCell", PSCellType::Button},
        {"HBPackageTableCell", PSCellType::Button},      {"HBTintedTableCell", PSCellType::Button},
        {"HBSpinnerTableCell", PSCellType::Button},      {"HBMastodonCell", PSCellType::Button},
        {"HBImageTableCell", PSCellType::StaticText},    {"HBStepperTableCell", PSCellType::Slider},
        {"HBDiscreteSliderTableCell", PSCellType::Slider}, {"HBPackageNameHeaderCell", PSCellType::Group},
    };
    return cells;
}

} // namespace

PSItemKind PSItemKind::of(const ValueDictionary& item, const std::string& label) {
    PSItemKind kind;
    std::string cell = textFor(item, PSTableCellKey);
    std::string cellClass = textFor(item, PSCellClassKey);
    auto named = cell.empty() ? std::nullopt : PSTableCell::cellTypeFromString(cell);
    if (named) {
        kind.type = *named;
        kind.name = cell;
    }
    if (!cellClass.empty() && libraryKind(cellClass, kind)) return kind;
    if (!cellClass.empty() && objc_getClass(cellClass)) {
        kind.name = cellClass; // the class draws the row; the kind it is stays the one `cell` names
        return kind;
    }
    if (named && cellClass.empty()) return kind;
    if (named) {
        kind.problem = "the cell class " + quoted(cellClass) + " of " + quoted(label) + " is not loaded here; it is shown as " + cell;
        return kind;
    }
    kind.name = "PSStaticTextCell";
    std::string what = !cellClass.empty() ? "the cell class " + quoted(cellClass)
                       : !cell.empty()    ? "the row kind " + quoted(cell)
                                          : "an item without a \u201Ccell\u201D";
    kind.problem = what + " of " + quoted(label) + " is not known; it is shown as a plain row";
    return kind;
}

bool PSItemKind::libraryKind(const std::string& className, PSItemKind& kind) {
    auto found = libraryCells().find(className);
    if (found == libraryCells().end()) return false;
    // A library cell sets its own look over the kind the item names.
    kind.type = found->second;
    kind.name = className;
    return true;
}
