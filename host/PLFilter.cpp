#include "host/PLFilter.h"

#include "platform/Device.h"

#include <algorithm>

namespace {

const Value* entry(const ValueDictionary& dictionary, const std::string& key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? nullptr : &found->second;
}

bool hasCapability(const std::string& name) { return Device::shared().capabilities().contains(name); }

// A name that is not text names no capability the phone has.
bool hasCapabilityNamed(const Value& name) { return name.isString() && hasCapability(name.asString()); }

} // namespace

bool PLFilter::environmentPasses(const Value& filter) {
    if (!filter.isDictionary() || !filter.asDictionary()) return true;
    const Value* versions = entry(*filter.asDictionary(), PLFilterCoreFoundationVersionKey);
    if (!versions || !versions->isArray() || !versions->asArray() || versions->asArray()->empty()) return true;
    const ValueArray& bounds = *versions->asArray();
    double version = Device::shared().coreFoundationVersionNumber();
    if (version < bounds[0].doubleValue()) return false;
    return bounds.size() < 2 || version < bounds[1].doubleValue();
}

bool PLFilter::capabilitiesPass(const Value& requiredCapabilities) {
    if (requiredCapabilities.isArray() && requiredCapabilities.asArray()) {
        const ValueArray& names = *requiredCapabilities.asArray();
        return std::all_of(names.begin(), names.end(), hasCapabilityNamed);
    }
    if (!requiredCapabilities.isDictionary() || !requiredCapabilities.asDictionary()) return true;
    const ValueDictionary& wanted = *requiredCapabilities.asDictionary();
    return std::all_of(wanted.begin(), wanted.end(),
                       [](const auto& pair) { return hasCapability(pair.first) == pair.second.boolValue(); });
}

bool PLFilter::itemPasses(const ValueDictionary& item) {
    const Value* filter = entry(item, PLFilterKey);
    const Value* capabilities = entry(item, PSRequiredCapabilitiesKey);
    return (!filter || environmentPasses(*filter)) && (!capabilities || capabilitiesPass(*capabilities));
}
