#pragma once

#include "host/PSSpecifier.h"

#include <string>

// What kind of row an item of a page written as a property list is, from its
// `cell` and `cellClass`. Many pages name only a `cellClass` of a cell library
// (the HB classes) or of the tweak's own code, which is not loaded here: such
// a row is shown as the kind it stands for, and the log says what was not
// understood. An item names its kind in the view tree by `cellKind`.
class PSItemKind {
public:
    PSCellType type = PSCellType::StaticText;
    std::string name;    // "PSSwitchCell", "HBTwitterCell": what the row is shown as
    std::string problem; // for the log; empty when the item was understood

    static PSItemKind of(const ValueDictionary& item, const std::string& label);

private:
    static bool libraryKind(const std::string& className, PSItemKind& kind);
};

// The property that names a row's kind for the view tree.
inline const std::string PSCellKindKey = "cellKind";
