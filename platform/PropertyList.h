#pragma once

#include "platform/Value.h"

#include <memory>
#include <optional>
#include <string>

// Property-list files on the device, read and written whole, as Foundation's
// dictionaryWithContentsOfFile:, arrayWithContentsOfFile: and
// writeToFile:atomically: do. Paths are device paths.
//
// Reading accepts the XML, the binary and the old text (OpenStep) form, told
// apart by their bytes, text in UTF-8 or UTF-16; of any value Foundation reads:
// integers over the signed and unsigned 64-bit range, reals, dates, data,
// text with any character, containers nested up to 512 deep. A missing or
// unreadable file, one over 64 MiB, one that is malformed or not UTF-8, or
// one whose top level is of another kind reads as nullptr; every successful
// read gives new mutable containers. These reads stay quiet on purpose (no
// Result, no reason): Foundation's readers give nil, and every caller treats
// a file it cannot use as a missing one, so a reason would have nobody to tell.
//
// Writing produces Apple's XML form, as writeToFile:atomically: does, unless
// that form cannot hold every value exactly (text with a control character
// XML forbids, a date with a fraction of a second): such a file is written in
// the binary form, which Foundation reads as well, so that no value changes.
// The file is replaced whole (AtomicFile): a reader sees the old file or the
// new one, never a mix, and a failed write leaves the old file as it was.
class PropertyList {
public:
    static Value read(const std::string& devicePath);
    static std::shared_ptr<ValueDictionary> readDictionary(const std::string& devicePath);
    static std::shared_ptr<ValueArray> readArray(const std::string& devicePath);

    // False when the value cannot be written as a property list or the file
    // cannot be replaced.
    static bool write(const Value& value, const std::string& devicePath);

    // The bytes write() puts in a file, each form alone, and a value from
    // either form held in memory. Empty when the value has no property-list
    // form.
    static std::string fileData(const Value& value);
    static std::string xmlData(const Value& value);
    static std::string binaryData(const Value& value);
    static Value fromData(const std::string& bytes);
    // The bytes read() would take from the file: nullopt for a missing or
    // unreadable file, one that is no regular file, or one over the limit.
    static std::optional<std::string> fileBytes(const std::string& devicePath);
};
