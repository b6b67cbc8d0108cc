#include "preview/BundleDeclarations.h"

#include "platform/PropertyList.h"
#include "preview/SettingsEntry.h"

#include <algorithm>

namespace {

void appendOnce(std::vector<std::string>& list, const std::string& text) {
    if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
}

} // namespace

std::vector<std::string> BundleDeclarations::strings(const char* key) {
    std::vector<std::string> found;
    for (const auto& entry : SettingsEntry::installedEntries()) {
        auto info = PropertyList::readDictionary(entry.bundleDirectory() + "/Info.plist");
        if (!info) continue;
        auto declared = info->find(key);
        if (declared == info->end() || !declared->second.isArray()) continue;
        for (const Value& value : *declared->second.asArray()) {
            if (value.isString()) appendOnce(found, value.asString());
        }
    }
    return found;
}
