#include "host/PSPlistLocalizer.h"

namespace {
// The keys whose texts a person reads.
constexpr const char* kLocalizedKeys[] = {"label",      "footerText", "placeholder", "staticTextMessage",
                                          "validTitles", "shortTitles", "subtitle",   "okTitle",
                                          "cancelTitle", "prompt",      "title",      "singularLabel"};
} // namespace

std::string PSPlistLocalizer::text(const std::string& key) const {
    if (!_bundle || key.empty()) return key;
    if (!_tables) _tables = tablesInLookupOrder();
    for (const auto& strings : *_tables) {
        if (const std::string* found = strings->find(key)) return *found;
    }
    return key;
}

// The folders NSBundle's localizedStringForKey:value:table: looks in, in its
// order, each table read once.
std::vector<std::shared_ptr<const StringsTable>> PSPlistLocalizer::tablesInLookupOrder() const {
    std::string fileName = (_table.empty() ? std::string("Localizable") : _table) + ".strings";
    std::vector<std::string> folders;
    for (const std::string& localization : _bundle->preferredLocalizations()) {
        folders.push_back(_bundle->bundlePath() + "/" + localization + ".lproj");
    }
    folders.push_back(_bundle->bundlePath());
    std::vector<std::shared_ptr<const StringsTable>> tables;
    for (const std::string& folder : folders) {
        if (auto strings = StringsTable::load(folder + "/" + fileName)) tables.push_back(strings);
    }
    return tables;
}

ValueDictionary PSPlistLocalizer::item(const ValueDictionary& original) const {
    if (!_bundle) return original;
    ValueDictionary localized = original;
    for (const char* key : kLocalizedKeys) {
        auto found = localized.find(key);
        if (found != localized.end()) found->second = localizedValue(found->second);
    }
    // A button's confirmation asks in the same language.
    if (auto confirmation = localized.find("confirmation");
        confirmation != localized.end() && confirmation->second.isDictionary()) {
        confirmation->second = Value(std::make_shared<ValueDictionary>(item(*confirmation->second.asDictionary())));
    }
    return localized;
}

Value PSPlistLocalizer::localizedValue(const Value& value) const {
    if (value.isString()) return Value(text(value.asString()));
    if (!value.isArray()) return value;
    auto titles = std::make_shared<ValueArray>();
    for (const Value& title : *value.asArray()) titles->push_back(localizedValue(title));
    return Value(titles);
}
