#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// How deep and how large a binary property list would become once built, told
// from its offset table and object headers alone. libplist builds a binary
// list by recursion, once per nesting level, and copies an object every time
// it is referred to; a file of a few kilobytes can therefore nest a hundred
// thousand levels deep (overflowing the stack), refer to itself, or expand to
// billions of nodes. Measuring first lets a reader refuse such a file before
// libplist walks it.
class BinaryPropertyListShape {
public:
    // True when `bytes` is a well-formed binary property list whose nesting
    // is at most `maximumDepth` containers deep, which expands to at most
    // `maximumNodes` nodes (each reference counted as often as it is made),
    // and whose dictionary keys are text without NUL characters.
    static bool isWithinLimits(std::string_view bytes, int maximumDepth, std::uint64_t maximumNodes);

private:
    struct Measure {
        std::uint64_t nodes = 0;
        int height = 0; // containers from this object down, itself included
    };
    struct Header {
        unsigned kind = 0;
        std::uint64_t count = 0;
        std::size_t contents = 0;
    };
    struct Children {
        bool container = false;
        std::vector<std::uint64_t> objects;
    };

    BinaryPropertyListShape(std::string_view bytes, int maximumDepth, std::uint64_t maximumNodes);

    bool readTrailer();
    std::optional<std::uint64_t> objectOffset(std::uint64_t object) const;
    std::optional<Header> header(std::uint64_t object) const;
    bool isKeyText(std::uint64_t object) const;
    std::optional<Children> references(std::uint64_t object) const;
    std::optional<Measure> measure(std::uint64_t object, int depth);

    std::string_view _bytes;
    int _maximumDepth;
    std::uint64_t _maximumNodes;
    unsigned _offsetSize = 0;
    unsigned _referenceSize = 0;
    std::uint64_t _objectCount = 0;
    std::uint64_t _topObject = 0;
    std::uint64_t _offsetTable = 0;
    // Filled as objects are measured; an object on the current path has no
    // entry yet, so a reference cycle keeps descending until it is too deep.
    std::vector<std::optional<Measure>> _measured;
};
