#include "host/PSDefaultsStore.h"

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
    if (!hasFile()) return false;
    auto file = dictionary();
    if (!file) file = std::make_shared<ValueDictionary>();
    for (const auto& [key, value] : values) (*file)[key] = value;
    return PropertyList::write(Value(file), _path);
}
