#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Binary property lists put together object by object, for shapes no writer
// makes: a hundred thousand nested arrays, objects that contain themselves,
// one array referred to from every slot of the next, trailers that lie.
// References are object numbers and may point ahead, so cycles are easy.
class HandMadeBinaryPlist {
public:
    using Object = std::uint64_t;

    Object addBoolean(bool value);
    Object addInteger(std::int64_t value);
    // Bytes taken as they are: ASCII in a binary list, or any byte at all.
    Object addAsciiString(const std::string& bytes);
    // UTF-16 code units, lone surrogates allowed.
    Object addUtf16String(const std::u16string& units);
    Object addArray(const std::vector<Object>& elements);
    Object addDictionary(const std::vector<std::pair<Object, Object>>& entries);
    Object nextObject() const { return _objects.size(); }

    // The file with `top` as its root; offsets and references are 4 bytes.
    std::string bytes(Object top) const;

    // Trailer fields of a finished file, to make it lie.
    static void setObjectCount(std::string& file, std::uint64_t count);
    static void setOffsetTable(std::string& file, std::uint64_t offset);

    // n arrays, each holding the next; the innermost is empty.
    static std::string nestedArrays(std::size_t depth);
    // `levels` arrays, each holding the next one `width` times: it grows to
    // width^levels nodes from a file of a few hundred bytes.
    static std::string sharedArrays(std::size_t levels, std::size_t width);

private:
    Object add(std::string encoded);
    static std::string header(unsigned kind, std::uint64_t count);

    std::vector<std::string> _objects;
};
