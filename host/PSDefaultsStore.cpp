#include "host/PSDefaultsStore.h"

#include "platform/NSLog.h"
#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"

namespace {

// A domain names a file in the preferences directory, never a path elsewhere.
bool isPlainDomain(const std::string& domain) { return !domain.empty() && domain.find('/') == std::string::npos; }

} // namespace

std::string PSDefaultsStore::pathForDomain(const std::string& domain) {
    if (!isPlainDomain(domain)) return {};
    std::string directory = stringByAppendingPathComponent(NSHomeDirectory(), "Library/Preferences");
    return stringByAppendingPathExtension(stringByAppendingPathComponent(directory, domain), "plist");
}

PSDefaultsStore PSDefaultsStore::forDomain(const std::string& domain) { return PSDefaultsStore(pathForDomain(domain)); }

std::shared_ptr<ValueDictionary> PSDefaultsStore::dictionary() const {
    return hasFile() ? PropertyList::readDictionary(_path) : nullptr;
}

Value PSDefaultsStore::valueForKey(const std::string& key) const {
    auto file = dictionary();
    if (!file) return Value();
    auto found = file->find(key);
    return found != file->end() ? found->second : Value();
}

bool PSDefaultsStore::setValueForKey(const Value& value, const std::string& key) const {
    return setValuesForKeys({{key, value}});
}

bool PSDefaultsStore::setValuesForKeys(const std::vector<std::pair<std::string, Value>>& values) const {
    if (!hasFile()) {
        // Pages whose code keeps their values name no domain; here the change has nowhere to go.
        for (const auto& [key, value] : values) {
            NSLog("Settings: no defaults domain keeps \u201C" + key + "\u201D (the row names none, or a path); its value "
                  "is not written (on the phone the bundle's code keeps it)");
        }
        return false;
    }
    auto file = dictionary();
    if (!file) file = std::make_shared<ValueDictionary>();
    for (const auto& [key, value] : values) (*file)[key] = value;
    return PropertyList::write(Value(file), _path);
}
