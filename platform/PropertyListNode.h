#pragma once

#include "platform/Value.h"

#include <plist/plist.h>

#include <memory>
#include <optional>

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<void, PlistDeleter>;

// Turns libplist's nodes into Values and back without losing what a
// property list can hold. libplist 2.2 keeps every value in its nodes, but
// its accessors cut two kinds short: an integer above 2^63 - 1 reads as a
// negative one and is made as one, and a date outside 1933-2069 reads as
// 1933. Those two kinds go through the binary form of the single node,
// which holds them exactly.
class PropertyListNode {
public:
    // Nullopt for a node deeper than `maximumDepth` containers, a text that
    // is not UTF-8 (Foundation reads none) or a kind a property list cannot
    // hold.
    static std::optional<Value> toValue(plist_t node, int maximumDepth);

    // Nullptr when the value or something inside it has no property-list
    // form (an object, a class, nil).
    static PlistPointer fromValue(const Value& value);

private:
    static std::optional<Value> toValue(plist_t node, int depth, int maximumDepth);
    static std::optional<Value> arrayToValue(plist_t node, int depth, int maximumDepth);
    static std::optional<Value> dictionaryToValue(plist_t node, int depth, int maximumDepth);
    static std::optional<Value> scalarToValue(plist_t node);
    static Value integerToValue(plist_t node);
    static Value dateToValue(plist_t node);

    static PlistPointer arrayNode(const ValueArray& array);
    static PlistPointer dictionaryNode(const ValueDictionary& dictionary);
    static PlistPointer unsignedIntegerNode(std::uint64_t integer);
    static PlistPointer dateNode(Date date);
};
