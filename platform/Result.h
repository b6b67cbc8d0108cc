#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

// The outcome of an operation that can fail for a reason a person reads: a
// value, or the text that says why there is none. The text goes to a page,
// a log line or an automation reply as it is, so it is a whole sentence.
// `Result<>` is the outcome of an action that gives nothing back.
template <typename T = void>
class [[nodiscard]] Result {
public:
    static Result success(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string error) { return Result(std::nullopt, std::move(error)); }

    bool ok() const { return _value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        assert(ok() && "a failed result has no value");
        return *_value;
    }
    T&& value() && {
        assert(ok() && "a failed result has no value");
        return std::move(*_value);
    }
    // Empty on success.
    const std::string& error() const { return _error; }

private:
    Result(std::optional<T> value, std::string error) : _value(std::move(value)), _error(std::move(error)) {}

    std::optional<T> _value;
    std::string _error;
};

template <>
class [[nodiscard]] Result<void> {
public:
    static Result success() { return Result(true, {}); }
    static Result failure(std::string error) { return Result(false, std::move(error)); }

    bool ok() const { return _ok; }
    explicit operator bool() const { return ok(); }
    // Empty on success.
    const std::string& error() const { return _error; }

private:
    Result(bool ok, std::string error) : _ok(ok), _error(std::move(error)) {}

    bool _ok;
    std::string _error;
};
