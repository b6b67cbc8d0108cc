#include "platform/ObjCClass.h"

#include <utility>

ObjCClass::ObjCClass(std::string name, std::string superclassName)
    : _name(std::move(name)), _superclassName(std::move(superclassName)) {}

const ObjCClass* ObjCClass::superclass() const {
    return _superclassName.empty() ? nullptr : ClassRegistry::shared().lookup(_superclassName);
}

bool ObjCClass::isSubclassOf(const std::string& className) const {
    for (const ObjCClass* candidate = this; candidate; candidate = candidate->superclass()) {
        if (candidate->name() == className) return true;
    }
    return false;
}

void ObjCClass::addInitializer(const std::string& selectorName, Initializer initializer) {
    _initializers[selectorName] = std::move(initializer);
}

bool ObjCClass::respondsToInitializer(const std::string& selectorName) const {
    return _initializers.contains(selectorName);
}

std::shared_ptr<NSObject> ObjCClass::create(const std::string& selectorName, const ValueArray& arguments) const {
    auto found = _initializers.find(selectorName);
    if (found == _initializers.end()) return nullptr;
    return found->second(arguments);
}

ClassRegistry& ClassRegistry::shared() {
    static ClassRegistry registry;
    return registry;
}

ObjCClass& ClassRegistry::add(std::string name, std::string superclassName) {
    auto& slot = _classes[name];
    slot = std::make_unique<ObjCClass>(std::move(name), std::move(superclassName));
    slot->_bundlePath = _loadingBundlePath;
    return *slot;
}

const ObjCClass* ClassRegistry::lookup(const std::string& name) const {
    auto found = _classes.find(name);
    return found == _classes.end() ? nullptr : found->second.get();
}

ClassRegistry::LoadingBundle::LoadingBundle(std::string bundlePath)
    : _outer(std::exchange(ClassRegistry::shared()._loadingBundlePath, std::move(bundlePath))) {}

ClassRegistry::LoadingBundle::~LoadingBundle() { ClassRegistry::shared()._loadingBundlePath = std::move(_outer); }

const ObjCClass* objc_getClass(const std::string& name) { return ClassRegistry::shared().lookup(name); }

const ObjCClass* NSClassFromString(const std::string& name) { return ClassRegistry::shared().lookup(name); }
