#include "platform/Value.h"

#include "platform/NSObject.h"
#include "platform/ObjCClass.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
#include <string_view>

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

// NSString's boolValue: white space, one optional sign and zeros are
// skipped; then "Y", "y", "T", "t" or a digit 1-9 means true, and whatever
// follows is ignored. So "YES", "true", "1" and "-007" are true.
bool textBoolValue(const std::string& text) {
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index]))) ++index;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) ++index;
    while (index < text.size() && text[index] == '0') ++index;
    return index < text.size() && std::string_view("YyTt123456789").find(text[index]) != std::string_view::npos;
}

// NSNumber's compare: across integers and reals by value. An integer and a
// real are compared exactly: 2^53 + 1 is not equal to the double 2^53.
std::optional<bool> numbersEqual(const Value& left, const Value& right) {
    bool leftNumeric = left.isInteger() || left.isUnsignedInteger() || left.isReal();
    bool rightNumeric = right.isInteger() || right.isUnsignedInteger() || right.isReal();
    if (!leftNumeric || !rightNumeric) return std::nullopt;
    if (!left.isReal() && !right.isReal()) return std::nullopt;
    if (left.isReal() && right.isReal()) return left.asReal() == right.asReal();
    const Value& real = left.isReal() ? left : right;
    const Value& integer = left.isReal() ? right : left;
    double number = real.asReal();
    if (!std::isfinite(number) || number != std::trunc(number)) return false;
    // Past these bounds no 64-bit integer equals the real; inside them the cast is exact.
    if (number < -0x1p63 || number >= 0x1p64) return false;
    if (integer.isUnsignedInteger()) return number >= 0x1p63 && static_cast<std::uint64_t>(number) == integer.asUnsignedInteger();
    return number < 0x1p63 && static_cast<std::int64_t>(number) == integer.asInteger();
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
    return textBoolValue(asString());
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

std::optional<double> Value::finiteDoubleValue() const {
    bool numeric = isNumber() || isString();
    if (!numeric || !std::isfinite(doubleValue())) return std::nullopt;
    return doubleValue();
}

std::optional<float> Value::finiteFloatValue() const {
    std::optional<double> number = finiteDoubleValue();
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*number);
}

bool Value::operator==(const Value& other) const {
    if (std::optional<bool> equal = numbersEqual(*this, other)) return *equal;
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
