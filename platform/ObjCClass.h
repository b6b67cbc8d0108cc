#pragma once

#include "platform/NSObject.h"
#include "platform/Selector.h"
#include "platform/Value.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

// A class known by name, as the Objective-C runtime knows it: its superclass
// and the initialisers that code elsewhere may call on a fresh instance
// ("init", "initWithSpecifier:", ...).
class ObjCClass {
public:
    // Makes and initialises an instance; nullptr when the initialiser fails.
    using Initializer = std::function<std::shared_ptr<NSObject>(const ValueArray& arguments)>;

    ObjCClass(std::string name, std::string superclassName);

    const std::string& name() const { return _name; }
    const ObjCClass* superclass() const;
    // The device path of the bundle whose executable registered the class;
    // empty for the classes the app itself holds.
    const std::string& bundlePath() const { return _bundlePath; }
    bool isSubclassOf(const std::string& className) const;

    void addInitializer(const std::string& selectorName, Initializer initializer);
    bool respondsToInitializer(const std::string& selectorName) const;

    // alloc + the named initialiser; nullptr when the class has no such
    // initialiser or the initialiser refuses.
    std::shared_ptr<NSObject> create(const std::string& selectorName, const ValueArray& arguments = {}) const;

private:
    friend class ClassRegistry;

    std::string _name;
    std::string _superclassName;
    std::string _bundlePath;
    std::map<std::string, Initializer> _initializers;
};

// Every class registered by name: the platform's, the host's and those of any
// loaded bundle.
class ClassRegistry {
public:
    static ClassRegistry& shared();

    ObjCClass& add(std::string name, std::string superclassName);
    const ObjCClass* lookup(const std::string& name) const;

    // While it lives, the classes registered belong to the bundle at
    // `bundlePath`: a bundle's executable registers its classes while it loads.
    class LoadingBundle {
    public:
        explicit LoadingBundle(std::string bundlePath);
        ~LoadingBundle();
        LoadingBundle(const LoadingBundle&) = delete;
        LoadingBundle& operator=(const LoadingBundle&) = delete;

    private:
        std::string _outer;
    };

private:
    std::map<std::string, std::unique_ptr<ObjCClass>> _classes;
    std::string _loadingBundlePath;
};

const ObjCClass* objc_getClass(const std::string& name);
const ObjCClass* NSClassFromString(const std::string& name);

// Registers Class under the name it declares with OBJC_CLASS_NAME, as a
// subclass of Superclass, which must be a C++ base of it, while the library
// that holds it is loaded. Each initialiser is a member of Class given with
// its selector name; it returns the instance, or nullptr when it refuses.
template <typename Class, typename Superclass>
class ClassRegistration {
    static_assert(std::is_base_of_v<Superclass, Class>, "the superclass must be a C++ base of the class");
    static_assert(std::string_view(Class::kObjCClassName) != std::string_view(Superclass::kObjCClassName),
                  "the class must declare its own name with OBJC_CLASS_NAME");

public:
    ClassRegistration() : _class(ClassRegistry::shared().add(Class::kObjCClassName, Superclass::kObjCClassName)) {}

    template <auto Method>
    ClassRegistration& initializer(SelectorText<Method> selectorName) {
        Selector call = Selector::of<Method>(selectorName);
        _class.addInitializer(std::string(selectorName.text()), [call](const ValueArray& arguments) -> std::shared_ptr<NSObject> {
            auto instance = alloc<Class>();
            return call.perform(*instance, arguments).boolValue() ? instance : nullptr;
        });
        return *this;
    }

private:
    ObjCClass& _class;
};
