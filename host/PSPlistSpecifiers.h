#pragma once

#include "host/PSSpecifier.h"

#include <string>

// Turns a page written as a property list into specifiers: a top-level
// `title` and `items`, each item a dictionary naming its `cell` kind and
// `label`; every other field of an item becomes a property of its row. A row
// kind the host does not know becomes a plain row with its label, and the
// log says so.
class PSPlistSpecifiers {
public:
    struct Result {
        SpecifierList specifiers;
        std::string title;
        std::string error; // what is malformed; empty when the page was read
    };

    // The rows hold `target` weakly; they have no getter or setter, so the
    // page that shows them reads and stores their values.
    static Result read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target);

private:
    static std::shared_ptr<PSSpecifier> rowFor(const ValueDictionary& item, const std::shared_ptr<NSObject>& target,
                                               std::string& error, std::size_t number);
};
