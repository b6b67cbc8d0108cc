#pragma once

#include "host/PSSpecifier.h"
#include "host/PSTableCell.h"

#include <memory>
#include <string>

// Makes the views a list page shows for its specifiers: a row's cell (the
// class its `cellClass` names, else the standard cell of its kind) under a
// reuse identifier that keeps cells of different kinds apart, and a group's
// header or footer view from the class it names.
class PSCellFactory {
public:
    // The class a `cellClass`-style property holds, or the class it names.
    static const ObjCClass* classFromProperty(const Value& value);

    static std::string reuseIdentifierForSpecifier(const PSSpecifier& specifier);
    // Made through initWithStyle:reuseIdentifier:specifier:.
    static std::shared_ptr<PSTableCell> cellForSpecifier(const std::shared_ptr<PSSpecifier>& specifier,
                                                         const std::string& identifier);
    // Whether the row shows a value, read through its getter or its defaults file.
    static bool showsValue(const PSSpecifier& specifier);

    // The view the class under `classKey` of `group` makes through
    // initWithSpecifier:; nullptr when it names none.
    static std::shared_ptr<UIView> groupViewForSpecifier(const std::shared_ptr<PSSpecifier>& group,
                                                         const std::string& classKey);

};
