#pragma once

#include "platform/NSObject.h"
#include "platform/Value.h"

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

// Turns an untyped argument into a method's parameter type, as the Objective-C
// runtime hands an `id` to a typed parameter.
template <typename T>
struct ArgumentCast;

template <>
struct ArgumentCast<Value> {
    static Value from(const Value& value) { return value; }
};
template <>
struct ArgumentCast<bool> {
    static bool from(const Value& value) { return value.boolValue(); }
};
template <>
struct ArgumentCast<double> {
    static double from(const Value& value) { return value.doubleValue(); }
};
template <>
struct ArgumentCast<int> {
    static int from(const Value& value) { return value.intValue(); }
};
template <>
struct ArgumentCast<std::string> {
    static std::string from(const Value& value) { return value.isString() ? value.asString() : std::string(); }
};
template <typename T>
    requires std::is_enum_v<T>
struct ArgumentCast<T> {
    static T from(const Value& value) { return static_cast<T>(value.intValue()); }
};
template <typename T>
struct ArgumentCast<std::shared_ptr<T>> {
    static std::shared_ptr<T> from(const Value& value) { return value.objectAs<T>(); }
};

namespace selector_detail {

template <typename Method>
struct MethodTraits;

template <typename Class, typename Result, typename... Parameters>
struct MethodTraits<Result (Class::*)(Parameters...)> {
    using Target = Class;
    using Return = Result;
    static constexpr std::size_t arity = sizeof...(Parameters);
    template <auto Method, std::size_t... Index>
    static Value call(Class& target, const ValueArray& arguments, std::index_sequence<Index...>) {
        auto argument = [&](std::size_t index) { return index < arguments.size() ? arguments[index] : Value(); };
        if constexpr (std::is_void_v<Result>) {
            (target.*Method)(ArgumentCast<std::remove_cvref_t<Parameters>>::from(argument(Index))...);
            return Value();
        } else {
            return Value((target.*Method)(ArgumentCast<std::remove_cvref_t<Parameters>>::from(argument(Index))...));
        }
    }
};

constexpr std::size_t colonCount(std::string_view text) {
    std::size_t count = 0;
    for (char character : text) count += character == ':' ? 1 : 0;
    return count;
}

// Named by name only so that the compiler's message says what went wrong.
void selector_text_must_have_one_colon_per_parameter_of_its_member();

} // namespace selector_detail

// A selector's text written beside the member it names, checked when the
// program is compiled: a selector has one ':' per argument, so its text must
// have as many as the member has parameters ("setPreferenceValue:specifier:"
// for a member of two).
template <auto Method>
class SelectorText {
public:
    consteval SelectorText(const char* text) : _text(text) {
        if (selector_detail::colonCount(_text) != selector_detail::MethodTraits<decltype(Method)>::arity) {
            selector_detail::selector_text_must_have_one_colon_per_parameter_of_its_member();
        }
    }
    std::string_view text() const { return _text; }

private:
    std::string_view _text;
};

// A method named by its selector ("share:", "setPreferenceValue:specifier:").
// Performing it on an object of another class does nothing and gives nil, as
// a message to an object that does not answer it would here; missing arguments
// arrive as nil and surplus ones are dropped, so `email` can serve as an action
// that is sent a sender.
class Selector {
public:
    Selector() = default;

    template <auto Method>
    static Selector of(SelectorText<Method> name) {
        using Traits = selector_detail::MethodTraits<decltype(Method)>;
        using Target = typename Traits::Target;
        Selector selector;
        selector._name = std::string(name.text());
        selector._invoke = [](NSObject& receiver, const ValueArray& arguments) -> Value {
            auto* target = dynamic_cast<Target*>(&receiver);
            if (!target) return Value();
            return Traits::template call<Method>(*target, arguments, std::make_index_sequence<Traits::arity>{});
        };
        return selector;
    }

    const std::string& name() const { return _name; }
    explicit operator bool() const { return static_cast<bool>(_invoke); }

    Value perform(NSObject& target, const ValueArray& arguments = {}) const {
        return _invoke ? _invoke(target, arguments) : Value();
    }

private:
    std::string _name;
    std::function<Value(NSObject&, const ValueArray&)> _invoke;
};

// A control's or a timer's target and action. The target is weak: once it is
// gone, sending the action does nothing.
struct TargetAction {
    std::weak_ptr<NSObject> target;
    Selector action;

    void send(const Value& sender = Value()) const {
        if (auto receiver = target.lock()) action.perform(*receiver, {sender});
    }
};
