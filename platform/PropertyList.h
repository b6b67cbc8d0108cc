#pragma once

#include "platform/Value.h"

#include <memory>
#include <string>

// Property-list files on the device, read and written whole, as Foundation's
// dictionaryWithContentsOfFile:, arrayWithContentsOfFile: and
// writeToFile:atomically: do. Paths are device paths.
//
// Reading accepts the XML and the binary form. A missing, unreadable or
// malformed file, or one whose top level is of another kind, reads as nullptr;
// every successful read gives new mutable containers.
//
// Writing produces Apple's XML form through a temporary file in the same
// directory that is flushed to disk and renamed over the old file, after which
// the directory is flushed too: a reader sees the old file or the new one,
// never a mix, and a failed write leaves the old file as it was.
class PropertyList {
public:
    static Value read(const std::string& devicePath);
    static std::shared_ptr<ValueDictionary> readDictionary(const std::string& devicePath);
    static std::shared_ptr<ValueArray> readArray(const std::string& devicePath);

    // False when the value cannot be written as a property list or the file
    // cannot be replaced.
    static bool write(const Value& value, const std::string& devicePath);

    // The XML form of a value, and a value from either form held in memory.
    static std::string xmlData(const Value& value);
    static Value fromData(const std::string& bytes);
};
