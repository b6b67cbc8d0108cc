#include "platform/Localizations.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The folder names older projects use for the languages that had one.
constexpr std::array<std::pair<const char*, const char*>, 8> kOldNames = {{
    {"en", "English"}, {"fr", "French"}, {"de", "German"}, {"ja", "Japanese"},
    {"es", "Spanish"}, {"it", "Italian"}, {"nl", "Dutch"}, {"zh", "Chinese"},
}};

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void addOnce(std::vector<std::string>& names, const std::string& name) {
    if (!name.empty() && !contains(names, name)) names.push_back(name);
}

} // namespace

std::vector<std::string> Localizations::lookupOrder(const std::vector<std::string>& available,
                                                    const std::vector<std::string>& preferredLanguages,
                                                    const std::string& developmentRegion) {
    std::vector<std::string> order;
    for (const std::string& language : preferredLanguages) {
        std::string found = match(available, language);
        if (found.empty()) continue;
        addOnce(order, found);
        break;
    }
    addOnce(order, match(available, developmentRegion));
    if (contains(available, "Base")) addOnce(order, "Base");
    return order;
}

std::string Localizations::match(const std::vector<std::string>& available, const std::string& language) {
    for (const std::string& name : namesFor(language)) {
        if (contains(available, name)) return name;
    }
    return {};
}

// "zh-Hans-CN" -> zh-Hans-CN, zh_Hans_CN, zh-Hans, zh_Hans, zh, Chinese.
std::vector<std::string> Localizations::namesFor(const std::string& language) {
    std::vector<std::string> names;
    std::string code = language;
    std::replace(code.begin(), code.end(), '_', '-');
    for (std::string shorter = code; !shorter.empty();) {
        std::string underscored = shorter;
        std::replace(underscored.begin(), underscored.end(), '-', '_');
        addOnce(names, shorter);
        addOnce(names, underscored);
        std::size_t cut = shorter.rfind('-');
        shorter = cut == std::string::npos ? std::string() : shorter.substr(0, cut);
    }
    std::string base = code.substr(0, code.find('-'));
    for (const auto& [shortName, oldName] : kOldNames) {
        if (base == shortName) addOnce(names, oldName);
        if (language == oldName) addOnce(names, shortName);
    }
    return names;
}
