#pragma once

#include "host/PSSpecifier.h"
#include "platform/Result.h"

#include <string>

// Turns a page written as a property list into specifiers: a top-level
// `title` and `items`, each item a dictionary naming its `cell` kind and
// `label`; every other field of an item becomes a property of its row. A row
// kind the host does not know becomes a plain row with its label, and the
// log says so.
struct PSPlistPage {
    SpecifierList specifiers;
    std::string title;
};

class PSPlistSpecifiers {
public:
    // The rows hold `target` weakly; they have no getter or setter, so the
    // page that shows them reads and stores their values. Fails with what is
    // malformed.
    static Result<PSPlistPage> read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target);

private:
    static Result<std::shared_ptr<PSSpecifier>> rowFor(const ValueDictionary& item,
                                                       const std::shared_ptr<NSObject>& target, std::size_t number);
};
