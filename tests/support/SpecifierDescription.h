#pragma once

#include "host/PSSpecifier.h"

#include <string>

// A page's rows as one short line, "group:Options switch:Enable link:Configure ...",
// so a test compares the whole list at once.
inline std::string describe(const SpecifierList& rows) {
    std::string text;
    for (const auto& row : rows) {
        if (!text.empty()) text += " ";
        switch (row->cellType()) {
        case PSCellType::Group: text += "group:"; break;
        case PSCellType::Switch: text += "switch:"; break;
        case PSCellType::Link: text += "link:"; break;
        case PSCellType::LinkList: text += "list:"; break;
        case PSCellType::Button: text += "button:"; break;
        default: text += "other:"; break;
        }
        text += row->name();
    }
    return text;
}
