#include "platform/Value.h"

#include "platform/NSObject.h"
#include "platform/ObjCClass.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <climits>
#include <cmath>
#include <limits>
#include <sstream>

Value::Value(std::uint64_t integer) {
    if (integer <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        _storage = static_cast<std::int64_t>(integer);
        return;
    }
    _storage = integer;
}

Value::Value(std::shared_ptr<ValueArray> array) : _storage(std::move(array)) {}
Value::Value(std::shared_ptr<ValueDictionary> dictionary) : _storage(std::move(dictionary)) {}
Value::Value(std::shared_ptr<NSObject> object) : _storage(std::move(object)) {}
Value::Value(const ObjCClass* objcClass) : _storage(objcClass) {}

Value Value::array(ValueArray elements) {
    return Value(std::make_shared<ValueArray>(std::move(elements)));
}

Value Value::dictionary(ValueDictionary entries) {
    return Value(std::make_shared<ValueDictionary>(std::move(entries)));
}

namespace {

template <typename T, typename Variant>
const T& exactly(const Variant& storage, const char* kind) {
    const T* held = std::get_if<T>(&storage);
    assert(held && "Value holds another kind than the one asked for");
    (void)kind;
    return *held;
}

// NSString's intValue: optional white space, an optional sign, then decimal
// digits; whatever follows is ignored, no digits give 0, overflow saturates.
int leadingInteger(const std::string& text) {
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index]))) {
        ++index;
    }
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        negative = text[index] == '-';
        ++index;
    }
    long long magnitude = 0;
    for (; index < text.size() && std::isdigit(static_cast<unsigned char>(text[index])); ++index) {
        magnitude = std::min<long long>(magnitude * 10 + (text[index] - '0'), 1LL + INT_MAX);
    }
    long long signedValue = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
}

} // namespace

bool Value::asBool() const { return exactly<bool>(_storage, "boolean"); }
std::int64_t Value::asInteger() const { return exactly<std::int64_t>(_storage, "integer"); }
std::uint64_t Value::asUnsignedInteger() const { return exactly<std::uint64_t>(_storage, "unsigned integer"); }
double Value::asReal() const { return exactly<double>(_storage, "real"); }
const std::string& Value::asString() const { return exactly<std::string>(_storage, "string"); }
Date Value::asDate() const { return exactly<Date>(_storage, "date"); }
const Data& Value::asData() const { return exactly<Data>(_storage, "data"); }
const std::shared_ptr<ValueArray>& Value::asArray() const {
    return exactly<std::shared_ptr<ValueArray>>(_storage, "array");
}
const std::shared_ptr<ValueDictionary>& Value::asDictionary() const {
    return exactly<std::shared_ptr<ValueDictionary>>(_storage, "dictionary");
}
const std::shared_ptr<NSObject>& Value::asObject() const {
    return exactly<std::shared_ptr<NSObject>>(_storage, "object");
}
const ObjCClass* Value::asClass() const { return exactly<const ObjCClass*>(_storage, "class"); }

bool Value::boolValue() const {
    if (isBool()) return asBool();
    if (isInteger()) return asInteger() != 0;
    if (isUnsignedInteger()) return true;
    if (isReal()) return asReal() != 0.0;
    if (isObject()) return asObject() != nullptr;
    if (!isString()) return !isNil();
    // NSString's boolValue: "Y", "y", "T", "t" or a non-zero digit after white space and sign.
    for (char character : asString()) {
        if (std::isspace(static_cast<unsigned char>(character)) || character == '+' || character == '-' ||
            character == '0') {
            continue;
        }
        return std::string("YyTt123456789").find(character) != std::string::npos;
    }
    return false;
}

int Value::intValue() const {
    if (isBool()) return asBool() ? 1 : 0;
    if (isInteger()) {
        return static_cast<int>(std::clamp<std::int64_t>(asInteger(), INT_MIN, INT_MAX));
    }
    if (isUnsignedInteger()) return INT_MAX;
    // Not a number has no integer (converting it is undefined): 0, as an ARM phone gives.
    if (isReal()) return std::isnan(asReal()) ? 0 : static_cast<int>(std::clamp<double>(asReal(), INT_MIN, INT_MAX));
    if (isString()) return leadingInteger(asString());
    return 0;
}

double Value::doubleValue() const {
    if (isBool()) return asBool() ? 1.0 : 0.0;
    if (isInteger()) return static_cast<double>(asInteger());
    if (isUnsignedInteger()) return static_cast<double>(asUnsignedInteger());
    if (isReal()) return asReal();
    if (isString()) return std::strtod(asString().c_str(), nullptr);
    return 0.0;
}

bool Value::operator==(const Value& other) const {
    if (isArray() && other.isArray()) return *asArray() == *other.asArray();
    if (isDictionary() && other.isDictionary()) return *asDictionary() == *other.asDictionary();
    return _storage == other._storage;
}

std::string Value::description() const {
    std::ostringstream out;
    if (isNil()) out << "nil";
    else if (isBool()) out << (asBool() ? "YES" : "NO");
    else if (isInteger()) out << asInteger();
    else if (isUnsignedInteger()) out << asUnsignedInteger();
    else if (isReal()) out << asReal();
    else if (isString()) out << '"' << asString() << '"';
    else if (isDate()) out << "<date>";
    else if (isData()) out << "<" << asData().bytes.size() << " bytes>";
    else if (isObject()) out << "<" << (asObject() ? asObject()->className() : "nil") << ">";
    else if (isClass()) out << (asClass() ? asClass()->name() : "Nil");
    else if (isArray()) {
        out << "(";
        for (std::size_t index = 0; index < asArray()->size(); ++index) {
            out << (index ? ", " : "") << (*asArray())[index].description();
        }
        out << ")";
    } else {
        out << "{";
        const char* separator = "";
        for (const auto& [key, value] : *asDictionary()) {
            out << separator << key << " = " << value.description();
            separator = "; ";
        }
        out << "}";
    }
    return out.str();
}
