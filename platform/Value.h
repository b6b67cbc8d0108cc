#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

class NSObject;
class ObjCClass;
class Value;

using ValueArray = std::vector<Value>;
using ValueDictionary = std::map<std::string, Value>;
// Microseconds, as libplist holds a date, over every year a property list
// holds (NSDate.distantPast and distantFuture, years 1 and 4001, included).
using Date = std::chrono::sys_time<std::chrono::microseconds>;

// Raw bytes of a property-list <data> element.
struct Data {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Data&) const = default;
};

// The untyped value the panel passes where Objective-C passes `id`: nil, a
// boolean, a number (signed, or unsigned above the signed range), a string, a date, data, an array, a dictionary, an object
// or a class. Arrays and dictionaries are shared by reference, as NSMutableArray
// and NSMutableDictionary are: copying a Value copies the reference.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool boolean) : _storage(boolean) {}
    Value(int integer) : _storage(std::int64_t{integer}) {}
    Value(std::int64_t integer) : _storage(integer) {}
    // Held as a signed integer when it fits, so that equal numbers compare equal.
    Value(std::uint64_t integer);
    Value(double real) : _storage(real) {}
    Value(const char* string) : _storage(std::string(string)) {}
    Value(std::string string) : _storage(std::move(string)) {}
    Value(Date date) : _storage(date) {}
    Value(Data data) : _storage(std::move(data)) {}
    Value(std::shared_ptr<ValueArray> array);
    Value(std::shared_ptr<ValueDictionary> dictionary);
    Value(std::shared_ptr<NSObject> object);
    Value(const ObjCClass* objcClass);

    template <typename T>
        requires std::is_base_of_v<NSObject, T>
    Value(std::shared_ptr<T> object) : Value(std::static_pointer_cast<NSObject>(std::move(object))) {}

    static Value array(ValueArray elements = {});
    static Value dictionary(ValueDictionary entries = {});

    bool isNil() const { return std::holds_alternative<std::monostate>(_storage); }
    bool isBool() const { return std::holds_alternative<bool>(_storage); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(_storage); }
    // An integer above the signed 64-bit range, as NSNumber holds an unsigned long long.
    bool isUnsignedInteger() const { return std::holds_alternative<std::uint64_t>(_storage); }
    bool isReal() const { return std::holds_alternative<double>(_storage); }
    bool isNumber() const { return isBool() || isInteger() || isUnsignedInteger() || isReal(); }
    bool isString() const { return std::holds_alternative<std::string>(_storage); }
    bool isDate() const { return std::holds_alternative<Date>(_storage); }
    bool isData() const { return std::holds_alternative<Data>(_storage); }
    bool isArray() const { return std::holds_alternative<std::shared_ptr<ValueArray>>(_storage); }
    bool isDictionary() const { return std::holds_alternative<std::shared_ptr<ValueDictionary>>(_storage); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<NSObject>>(_storage); }
    bool isClass() const { return std::holds_alternative<const ObjCClass*>(_storage); }

    // Exact accessors: the value must hold that kind (asserted).
    bool asBool() const;
    std::int64_t asInteger() const;
    std::uint64_t asUnsignedInteger() const;
    double asReal() const;
    const std::string& asString() const;
    Date asDate() const;
    const Data& asData() const;
    const std::shared_ptr<ValueArray>& asArray() const;
    const std::shared_ptr<ValueDictionary>& asDictionary() const;
    const std::shared_ptr<NSObject>& asObject() const;
    const ObjCClass* asClass() const;

    template <typename T>
    std::shared_ptr<T> objectAs() const {
        return isObject() ? std::dynamic_pointer_cast<T>(asObject()) : nullptr;
    }

    // Foundation's lenient conversions, as NSNumber and NSString answer them:
    // boolValue, intValue and floatValue.
    bool boolValue() const;
    int intValue() const;
    double doubleValue() const;

    // A number (or numeric text) that a double or a float holds as a finite
    // number, for callers such as a slider's bounds: a property list may hold
    // 1e39, which is finite as a double and infinite as a float. Nullopt for
    // anything else, not a number and the infinities included.
    std::optional<double> finiteDoubleValue() const;
    std::optional<float> finiteFloatValue() const;

    // Property-list equality: arrays and dictionaries compare by contents,
    // and numbers by their value whatever their kind, as NSNumber compares
    // them (60 equals 60.0). A boolean stays apart from the numbers.
    bool operator==(const Value& other) const;

    // A short readable form for messages and test output.
    std::string description() const;

private:
    std::variant<std::monostate, bool, std::int64_t, std::uint64_t, double, std::string, Date, Data,
                 std::shared_ptr<ValueArray>, std::shared_ptr<ValueDictionary>,
                 std::shared_ptr<NSObject>, const ObjCClass*>
        _storage;
};
