#pragma once

#include "platform/NSBundle.h"
#include "platform/StringsTable.h"
#include "platform/Value.h"

#include <memory>
#include <optional>
#include <vector>
#include <string>

// Puts a page's texts into the phone's language, as Preferences does when it
// reads a page of a bundle: each text is a key of the bundle's strings table
// (the page's own `<page>.strings`, or Localizable.strings), and a key the
// table lacks shows as itself. Without a bundle the texts stay as written.
// The tables are read once per localizer, that is once per page read.
class PSPlistLocalizer {
public:
    PSPlistLocalizer(std::shared_ptr<NSBundle> bundle, std::string table)
        : _bundle(std::move(bundle)), _table(std::move(table)) {}

    std::string text(const std::string& key) const;
    // A copy of an item with its label, footer, placeholder, message and
    // choice titles localized.
    ValueDictionary item(const ValueDictionary& original) const;

private:
    Value localizedValue(const Value& value) const;
    std::vector<std::shared_ptr<const StringsTable>> tablesInLookupOrder() const;

    std::shared_ptr<NSBundle> _bundle;
    std::string _table;
    // The strings tables, read on the first text and kept while the page is read.
    mutable std::optional<std::vector<std::shared_ptr<const StringsTable>>> _tables;
};
