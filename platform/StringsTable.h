#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

// One strings table of a bundle (`fr.lproj/Root.strings`), in every form
// tables ship: `"key" = "value";` text in UTF-8 or UTF-16 (either byte order,
// with or without a byte-order mark) with comments, or an XML or binary
// property list holding a dictionary. Entries whose value is not text are
// left out, as the phone's lookup finds no string in them.
class StringsTable {
public:
    // Nullopt for bytes that are no strings table; blank text is an empty one.
    static std::optional<StringsTable> fromData(const std::string& bytes);

    // The table in the file at a device path, read once and kept until the
    // file changes: pages look up every row's texts, and a file replaced
    // since (a new inode, size or modification time, or new bytes in a file
    // written moments ago) is read again. Nullptr for a missing or malformed
    // file.
    static std::shared_ptr<const StringsTable> load(const std::string& devicePath);

    // Nullptr when the table has no such key.
    const std::string* find(const std::string& key) const;
    std::size_t size() const { return _entries.size(); }

private:
    std::map<std::string, std::string> _entries;
};
