#pragma once

#include <memory>
#include <string>

// Root of every reference-counted platform object. Objects live in
// std::shared_ptr and are made by `alloc<T>()` followed by an init method,
// as their Objective-C counterparts are; `self<T>()` hands out a strong
// reference from inside a method.
class NSObject : public std::enable_shared_from_this<NSObject> {
public:
    virtual ~NSObject() = default;

    static constexpr const char* kObjCClassName = "NSObject";
    // The class name as the registry and the automation interface know it.
    virtual const char* className() const { return kObjCClassName; }

    template <typename T>
    std::shared_ptr<T> self() { return std::static_pointer_cast<T>(shared_from_this()); }

    template <typename T>
    std::weak_ptr<T> weakSelf() { return self<T>(); }
};

template <typename T>
std::shared_ptr<T> alloc() { return std::make_shared<T>(); }

// Declares the class name of a platform or panel class, the one name the
// registry and className() both use.
#define OBJC_CLASS_NAME(Name)                              \
    static constexpr const char* kObjCClassName = #Name; \
    const char* className() const override { return kObjCClassName; }
