#include "platform/BinaryPropertyListShape.h"

#include <algorithm>

namespace {

// The binary form: "bplist00", the objects, a table of object offsets, and a
// 32-byte trailer giving the offset and reference sizes, the object count,
// the top object and where the offset table starts.
constexpr std::string_view kMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;
constexpr std::size_t kOffsetSizeAt = 6;
constexpr std::size_t kReferenceSizeAt = 7;
constexpr std::size_t kObjectCountAt = 8;
constexpr std::size_t kTopObjectAt = 16;
constexpr std::size_t kOffsetTableAt = 24;

// Object headers: the high nibble is the kind, the low one a count; a count
// of 15 means an integer object with the real count follows.
constexpr unsigned kArrayKind = 0xA;
constexpr unsigned kSetKind = 0xC;
constexpr unsigned kDictionaryKind = 0xD;
constexpr unsigned kIntegerKind = 0x1;
constexpr unsigned kDataKind = 0x4;
constexpr unsigned kAsciiStringKind = 0x5;
constexpr unsigned kUtf16StringKind = 0x6;
constexpr unsigned kCountFollows = 0xF;
constexpr unsigned kLargestIntegerExponent = 3;

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t index = 0; index < size; ++index) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + index]);
    }
    return value;
}

bool isContainer(unsigned kind) { return kind == kArrayKind || kind == kSetKind || kind == kDictionaryKind; }

// Data, texts and containers; in other kinds the low nibble means something else.
bool hasCount(unsigned kind) { return isContainer(kind) || kind == kDataKind || kind == kAsciiStringKind || kind == kUtf16StringKind; }

} // namespace

bool BinaryPropertyListShape::isWithinLimits(std::string_view bytes, int maximumDepth, std::uint64_t maximumNodes) {
    BinaryPropertyListShape shape(bytes, maximumDepth, maximumNodes);
    return shape.readTrailer() && shape.measure(shape._topObject, 0).has_value();
}

BinaryPropertyListShape::BinaryPropertyListShape(std::string_view bytes, int maximumDepth, std::uint64_t maximumNodes)
    : _bytes(bytes), _maximumDepth(maximumDepth), _maximumNodes(maximumNodes) {}

bool BinaryPropertyListShape::readTrailer() {
    if (_bytes.size() < kMagic.size() + kTrailerSize || !_bytes.starts_with(kMagic)) return false;
    std::size_t trailer = _bytes.size() - kTrailerSize;
    _offsetSize = static_cast<unsigned char>(_bytes[trailer + kOffsetSizeAt]);
    _referenceSize = static_cast<unsigned char>(_bytes[trailer + kReferenceSizeAt]);
    _objectCount = bigEndian(_bytes, trailer + kObjectCountAt, 8);
    _topObject = bigEndian(_bytes, trailer + kTopObjectAt, 8);
    _offsetTable = bigEndian(_bytes, trailer + kOffsetTableAt, 8);
    bool sizesValid = _offsetSize >= 1 && _offsetSize <= 8 && _referenceSize >= 1 && _referenceSize <= 8;
    bool tableInside = _offsetTable >= kMagic.size() && _offsetTable <= trailer;
    if (!sizesValid || !tableInside || _objectCount == 0 || _topObject >= _objectCount) return false;
    if (_objectCount > (trailer - _offsetTable) / _offsetSize) return false;
    _measured.resize(_objectCount);
    return true;
}

std::optional<std::uint64_t> BinaryPropertyListShape::objectOffset(std::uint64_t object) const {
    std::uint64_t offset = bigEndian(_bytes, _offsetTable + object * _offsetSize, _offsetSize);
    if (offset < kMagic.size() || offset >= _bytes.size() - kTrailerSize) return std::nullopt;
    return offset;
}

// An object's kind, its count (of elements, entries, characters) and where
// its contents start; nullopt when the header runs past the objects.
std::optional<BinaryPropertyListShape::Header> BinaryPropertyListShape::header(std::uint64_t object) const {
    auto offset = objectOffset(object);
    if (!offset) return std::nullopt;
    std::size_t end = _bytes.size() - kTrailerSize;
    auto marker = static_cast<unsigned char>(_bytes[*offset]);
    Header header{static_cast<unsigned>(marker >> 4), marker & 0xFu, *offset + 1};
    if (!hasCount(header.kind) || header.count != kCountFollows) return header;
    if (header.contents >= end) return std::nullopt;
    auto countMarker = static_cast<unsigned char>(_bytes[header.contents]);
    unsigned exponent = countMarker & 0xF;
    if (countMarker >> 4 != kIntegerKind || exponent > kLargestIntegerExponent) return std::nullopt;
    std::size_t countSize = std::size_t{1} << exponent;
    if (end - header.contents - 1 < countSize) return std::nullopt;
    header.count = bigEndian(_bytes, header.contents + 1, countSize);
    header.contents += 1 + countSize;
    return header;
}

// libplist asserts, and so aborts the process, when a dictionary key holds a
// NUL character; a key must also be text.
bool BinaryPropertyListShape::isKeyText(std::uint64_t object) const {
    auto key = header(object);
    if (!key || (key->kind != kAsciiStringKind && key->kind != kUtf16StringKind)) return false;
    std::size_t unit = key->kind == kUtf16StringKind ? 2 : 1;
    std::size_t available = _bytes.size() - kTrailerSize - key->contents;
    if (key->count > available / unit) return false;
    for (std::size_t index = 0; index < key->count; ++index) {
        if (bigEndian(_bytes, key->contents + index * unit, unit) == 0) return false;
    }
    return true;
}

// The objects a container refers to, keys first for a dictionary; none for a
// scalar; nullopt when the header or a reference lies outside the file.
std::optional<BinaryPropertyListShape::Children> BinaryPropertyListShape::references(std::uint64_t object) const {
    auto found = header(object);
    if (!found) return std::nullopt;
    if (!isContainer(found->kind)) return Children{};
    std::size_t end = _bytes.size() - kTrailerSize;
    std::uint64_t perEntry = found->kind == kDictionaryKind ? 2 : 1;
    if (found->count > (end - found->contents) / _referenceSize / perEntry) return std::nullopt;
    Children children{true, std::vector<std::uint64_t>(found->count * perEntry)};
    std::size_t position = found->contents;
    for (std::uint64_t& child : children.objects) {
        child = bigEndian(_bytes, position, _referenceSize);
        position += _referenceSize;
        if (child >= _objectCount) return std::nullopt;
    }
    bool keysAreText = found->kind != kDictionaryKind ||
                       std::all_of(children.objects.begin(), children.objects.begin() + static_cast<std::ptrdiff_t>(found->count),
                                   [this](std::uint64_t key) { return isKeyText(key); });
    if (!keysAreText) return std::nullopt;
    return children;
}

// `depth` counts the containers above the object. An object already measured
// is not walked again, so shared objects cost their size once to measure
// however often they are referred to.
std::optional<BinaryPropertyListShape::Measure> BinaryPropertyListShape::measure(std::uint64_t object, int depth) {
    if (depth > _maximumDepth) return std::nullopt;
    if (!_measured[object]) {
        auto children = references(object);
        if (!children) return std::nullopt;
        Measure total{1, 0};
        int childHeight = 0;
        for (std::uint64_t child : children->objects) {
            auto part = measure(child, depth + 1);
            if (!part) return std::nullopt;
            total.nodes += part->nodes;
            childHeight = std::max(childHeight, part->height);
            if (total.nodes > _maximumNodes) return std::nullopt;
        }
        total.height = children->container ? childHeight + 1 : 0;
        _measured[object] = total;
    }
    const Measure& known = *_measured[object];
    if (depth + known.height > _maximumDepth) return std::nullopt;
    return known;
}
