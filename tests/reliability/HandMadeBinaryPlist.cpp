#include "tests/reliability/HandMadeBinaryPlist.h"

namespace {

constexpr unsigned kReferenceSize = 4;
constexpr unsigned kOffsetSize = 4;
constexpr std::size_t kTrailerSize = 32;
constexpr std::size_t kObjectCountAt = 8;
constexpr std::size_t kOffsetTableAt = 24;

void appendBigEndian(std::string& out, std::uint64_t value, unsigned size) {
    for (unsigned index = size; index-- > 0;) out.push_back(static_cast<char>((value >> (8 * index)) & 0xFF));
}

void patchBigEndian(std::string& file, std::size_t at, std::uint64_t value) {
    std::string encoded;
    appendBigEndian(encoded, value, 8);
    file.replace(at, 8, encoded);
}

} // namespace

HandMadeBinaryPlist::Object HandMadeBinaryPlist::add(std::string encoded) {
    _objects.push_back(std::move(encoded));
    return _objects.size() - 1;
}

// The low nibble holds a count below 15; larger counts follow as an integer.
std::string HandMadeBinaryPlist::header(unsigned kind, std::uint64_t count) {
    std::string out;
    if (count < 15) {
        out.push_back(static_cast<char>(kind << 4 | count));
        return out;
    }
    out.push_back(static_cast<char>(kind << 4 | 0xF));
    out.push_back(static_cast<char>(0x13));
    appendBigEndian(out, count, 8);
    return out;
}

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addBoolean(bool value) { return add(std::string(1, value ? '\x09' : '\x08')); }

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addInteger(std::int64_t value) {
    std::string out(1, '\x13');
    appendBigEndian(out, static_cast<std::uint64_t>(value), 8);
    return add(out);
}

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addAsciiString(const std::string& bytes) {
    return add(header(0x5, bytes.size()) + bytes);
}

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addUtf16String(const std::u16string& units) {
    std::string out = header(0x6, units.size());
    for (char16_t unit : units) appendBigEndian(out, unit, 2);
    return add(out);
}

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addArray(const std::vector<Object>& elements) {
    std::string out = header(0xA, elements.size());
    for (Object element : elements) appendBigEndian(out, element, kReferenceSize);
    return add(out);
}

HandMadeBinaryPlist::Object HandMadeBinaryPlist::addDictionary(const std::vector<std::pair<Object, Object>>& entries) {
    std::string out = header(0xD, entries.size());
    for (const auto& entry : entries) appendBigEndian(out, entry.first, kReferenceSize);
    for (const auto& entry : entries) appendBigEndian(out, entry.second, kReferenceSize);
    return add(out);
}

std::string HandMadeBinaryPlist::bytes(Object top) const {
    std::string file = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : _objects) {
        offsets.push_back(file.size());
        file += object;
    }
    std::uint64_t offsetTable = file.size();
    for (std::uint64_t offset : offsets) appendBigEndian(file, offset, kOffsetSize);
    file.append(6, '\0');
    file.push_back(static_cast<char>(kOffsetSize));
    file.push_back(static_cast<char>(kReferenceSize));
    appendBigEndian(file, _objects.size(), 8);
    appendBigEndian(file, top, 8);
    appendBigEndian(file, offsetTable, 8);
    return file;
}

void HandMadeBinaryPlist::setObjectCount(std::string& file, std::uint64_t count) {
    patchBigEndian(file, file.size() - kTrailerSize + kObjectCountAt, count);
}

void HandMadeBinaryPlist::setOffsetTable(std::string& file, std::uint64_t offset) {
    patchBigEndian(file, file.size() - kTrailerSize + kOffsetTableAt, offset);
}

std::string HandMadeBinaryPlist::nestedArrays(std::size_t depth) {
    HandMadeBinaryPlist plist;
    for (std::size_t level = 0; level + 1 < depth; ++level) plist.addArray({level + 1});
    plist.addArray({});
    return plist.bytes(0);
}

std::string HandMadeBinaryPlist::sharedArrays(std::size_t levels, std::size_t width) {
    HandMadeBinaryPlist plist;
    for (std::size_t level = 0; level + 1 < levels; ++level) {
        plist.addArray(std::vector<Object>(width, level + 1));
    }
    plist.addArray({levels});
    plist.addBoolean(true);
    return plist.bytes(0);
}
