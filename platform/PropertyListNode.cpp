#include "platform/PropertyListNode.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

struct MallocDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
using MallocPointer = std::unique_ptr<void, MallocDeleter>;

// Seconds between the Unix epoch and the property-list epoch, 2001-01-01.
constexpr double kReferenceDateOffset = 978307200;

// The binary form of one object alone: the header, the object at this
// offset, a one-entry offset table and the 32-byte trailer.
constexpr std::string_view kBinaryHeader = "bplist00";
constexpr std::size_t kSoleObjectOffset = kBinaryHeader.size();
constexpr char kSixteenByteInteger = '\x14';
constexpr char kEightByteDate = '\x33';

// Dates from 0001-01-01T00:00:00Z to 9999-12-31T23:59:59Z, in seconds since
// 1970: the years the XML form writes in four digits and libplist reads back.
// A date beyond (no writer of settings makes one) is kept at that edge. The
// last edge is a whole second: this far out a double holds no microseconds,
// and 23:59:59.999999 would round up into the year 10000.
constexpr double kEarliestSeconds = -62135596800.0;
constexpr double kLatestSeconds = 253402300799.0;

// Foundation's text is Unicode, and libplist takes text up to a NUL: text
// that is not UTF-8 or holds a NUL has no form here.
bool isWritableText(const std::string& text) {
    return utf8::is_valid(text.begin(), text.end()) && text.find('\0') == std::string::npos;
}

void appendBigEndian(std::string& bytes, std::uint64_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::uint64_t readBigEndian(std::string_view bytes, std::size_t at) {
    std::uint64_t value = 0;
    for (std::size_t index = 0; index < 8; ++index) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + index]);
    }
    return value;
}

PlistPointer nodeFromSoleObject(const std::string& object) {
    std::string bytes(kBinaryHeader);
    bytes += object;
    bytes += static_cast<char>(kSoleObjectOffset);
    bytes.append(6, '\0');
    bytes += '\x01'; // offset size
    bytes += '\x01'; // reference size
    appendBigEndian(bytes, 1, 8); // object count
    appendBigEndian(bytes, 0, 8); // top object
    appendBigEndian(bytes, kSoleObjectOffset + object.size(), 8); // offset table
    plist_t node = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &node);
    return PlistPointer(node);
}

std::string soleObjectOf(plist_t node) {
    char* raw = nullptr;
    uint32_t length = 0;
    plist_to_bin(node, &raw, &length);
    MallocPointer owner(raw);
    if (!raw || length <= kSoleObjectOffset) return {};
    return std::string(raw + kSoleObjectOffset, length - kSoleObjectOffset);
}

} // namespace

std::optional<Value> PropertyListNode::toValue(plist_t node, int maximumDepth) {
    return toValue(node, 0, maximumDepth);
}

std::optional<Value> PropertyListNode::toValue(plist_t node, int depth, int maximumDepth) {
    if (!node || depth > maximumDepth) return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_ARRAY:
        return arrayToValue(node, depth, maximumDepth);
    case PLIST_DICT:
        return dictionaryToValue(node, depth, maximumDepth);
    default:
        return scalarToValue(node);
    }
}

// Walked with an iterator: libplist 2.2 finds an element of an array read
// from the binary form by index by walking from the first, which made reading
// a long array cost the square of its length.
std::optional<Value> PropertyListNode::arrayToValue(plist_t node, int depth, int maximumDepth) {
    auto array = std::make_shared<ValueArray>();
    array->reserve(plist_array_get_size(node));
    plist_array_iter iterator = nullptr;
    plist_array_new_iter(node, &iterator);
    MallocPointer iteratorOwner(iterator);
    for (;;) {
        plist_t item = nullptr;
        plist_array_next_item(node, iterator, &item);
        if (!item) break;
        auto element = toValue(item, depth + 1, maximumDepth);
        if (!element) return std::nullopt;
        array->push_back(std::move(*element));
    }
    return Value(array);
}

std::optional<Value> PropertyListNode::dictionaryToValue(plist_t node, int depth, int maximumDepth) {
    auto dictionary = std::make_shared<ValueDictionary>();
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    MallocPointer iteratorOwner(iterator);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &rawKey, &item);
        MallocPointer key(rawKey);
        if (!item) break;
        auto element = toValue(item, depth + 1, maximumDepth);
        if (!element || !rawKey || !utf8::is_valid(rawKey, rawKey + std::strlen(rawKey))) return std::nullopt;
        (*dictionary)[rawKey] = std::move(*element);
    }
    return Value(dictionary);
}

std::optional<Value> PropertyListNode::scalarToValue(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t boolean = 0;
        plist_get_bool_val(node, &boolean);
        return Value(boolean != 0);
    }
    case PLIST_UINT:
        return integerToValue(node);
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return Value(real);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        std::string string(text ? text : "", text ? length : 0);
        if (!isWritableText(string)) return std::nullopt;
        return Value(std::move(string));
    }
    case PLIST_DATE:
        return dateToValue(node);
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        MallocPointer owner(bytes);
        Data data;
        data.bytes.assign(bytes, bytes + length);
        return Value(std::move(data));
    }
    default:
        return std::nullopt;
    }
}

// libplist gives the 64 bits alone; with the top bit set they are a negative
// integer or one above 2^63 - 1, which only the width libplist writes tells.
Value PropertyListNode::integerToValue(plist_t node) {
    uint64_t bits = 0;
    plist_get_uint_val(node, &bits);
    bool fitsSigned = bits <= static_cast<uint64_t>(std::numeric_limits<std::int64_t>::max());
    bool isUnsigned = !fitsSigned && soleObjectOf(node).starts_with(kSixteenByteInteger);
    return isUnsigned ? Value(std::uint64_t{bits}) : Value(static_cast<std::int64_t>(bits));
}

Value PropertyListNode::dateToValue(plist_t node) {
    std::string object = soleObjectOf(node);
    if (object.size() < 9 || object[0] != kEightByteDate) return Value(Date{});
    double sinceReference = std::bit_cast<double>(readBigEndian(object, 1));
    if (std::isnan(sinceReference)) sinceReference = 0;
    double sinceEpoch = std::clamp(sinceReference + kReferenceDateOffset, kEarliestSeconds, kLatestSeconds);
    auto microseconds = std::chrono::microseconds(std::llround(sinceEpoch * 1e6));
    return Value(Date(microseconds));
}

PlistPointer PropertyListNode::fromValue(const Value& value) {
    if (value.isBool()) return PlistPointer(plist_new_bool(value.asBool()));
    if (value.isInteger()) return PlistPointer(plist_new_uint(static_cast<uint64_t>(value.asInteger())));
    if (value.isUnsignedInteger()) return unsignedIntegerNode(value.asUnsignedInteger());
    if (value.isReal()) return PlistPointer(plist_new_real(value.asReal()));
    if (value.isString()) {
        const std::string& text = value.asString();
        return isWritableText(text) ? PlistPointer(plist_new_string(text.c_str())) : nullptr;
    }
    if (value.isDate()) return dateNode(value.asDate());
    if (value.isData()) {
        const auto& bytes = value.asData().bytes;
        return PlistPointer(plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (value.isArray() && value.asArray()) return arrayNode(*value.asArray());
    if (value.isDictionary() && value.asDictionary()) return dictionaryNode(*value.asDictionary());
    return nullptr;
}

PlistPointer PropertyListNode::arrayNode(const ValueArray& array) {
    PlistPointer node(plist_new_array());
    for (const Value& element : array) {
        PlistPointer item = fromValue(element);
        if (!item) return nullptr;
        plist_array_append_item(node.get(), item.release());
    }
    return node;
}

PlistPointer PropertyListNode::dictionaryNode(const ValueDictionary& dictionary) {
    PlistPointer node(plist_new_dict());
    for (const auto& [key, element] : dictionary) {
        PlistPointer item = fromValue(element);
        if (!item || !isWritableText(key)) return nullptr;
        plist_dict_set_item(node.get(), key.c_str(), item.release());
    }
    return node;
}

PlistPointer PropertyListNode::unsignedIntegerNode(std::uint64_t integer) {
    std::string object(1, kSixteenByteInteger);
    appendBigEndian(object, 0, 8);
    appendBigEndian(object, integer, 8);
    return nodeFromSoleObject(object);
}

PlistPointer PropertyListNode::dateNode(Date date) {
    double sinceEpoch = std::clamp(std::chrono::duration<double>(date.time_since_epoch()).count(), kEarliestSeconds, kLatestSeconds);
    std::string object(1, kEightByteDate);
    appendBigEndian(object, std::bit_cast<std::uint64_t>(sinceEpoch - kReferenceDateOffset), 8);
    return nodeFromSoleObject(object);
}
