// A bundle's strings tables in every form they ship, the localization a
// phone's languages choose, and tables kept only while their files stay.
#include "platform/Device.h"
#include "platform/NSBundle.h"
#include "platform/PropertyList.h"
#include "platform/StringsTable.h"
#include "support/TemporaryDevice.h"
#include "tests/support/Utf16.h"

#include <gtest/gtest.h>
#include <utf8cpp/utf8.h>

#include <filesystem>

namespace {

const std::string kBundle = "/Library/PreferenceBundles/Lamp.bundle";

std::string lookUp(const std::string& key, const std::string& value = "", const std::string& table = "Root") {
    return NSBundle::bundleWithPath(kBundle)->localizedStringForKey_value_table(key, value, table);
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

// As Xcode writes a table, and as older tools saved it in UTF-16.
const std::string kXcodeTableUtf8 = "/* Title of the page */\n\"TITLE\" = \"Lampe de bureau\";\n\n// the switch\n"
                                    "\"ON_AT_NIGHT\" = \"Allumée la nuit 🌙\";\n\"QUOTED\" = \"dit \\\"oui\\\"\\n\";\n";
const std::u16string kXcodeTable = utf8::utf8to16(kXcodeTableUtf8);

TEST(LocalizedStringsTest, ReadsATableInEveryFormItShips) {
    const Value asPlist = Value::dictionary(
        {{"TITLE", "Lampe de bureau"}, {"ON_AT_NIGHT", "Allumée la nuit 🌙"}, {"QUOTED", "dit \"oui\"\n"}, {"COUNT", 3}});
    const std::pair<std::string, std::string> forms[] = {
        {"UTF-8", kXcodeTableUtf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + kXcodeTableUtf8},
        {"UTF-16LE with a mark", utf16(kXcodeTable, true, true)},
        {"UTF-16BE with a mark", utf16(kXcodeTable, false, true)},
        {"UTF-16LE", utf16(kXcodeTable, true, false)},
        {"UTF-16BE", utf16(kXcodeTable, false, false)},
        {"braces", "{\n" + kXcodeTableUtf8 + "}\n"},
        {"XML", PropertyList::xmlData(asPlist)},
        {"binary", PropertyList::binaryData(asPlist)},
    };
    for (const auto& [form, bytes] : forms) {
        TemporaryDevice device;
        device.writeFile(kBundle + "/fr.lproj/Root.strings", bytes);
        Device::shared().setPreferredLanguages({"fr"});
        EXPECT_EQ(lookUp("TITLE") + "|" + lookUp("ON_AT_NIGHT") + "|" + lookUp("QUOTED") + "|" + lookUp("COUNT"),
                  "Lampe de bureau|Allumée la nuit 🌙|dit \"oui\"\n|COUNT")
            << form;
    }
}

TEST(LocalizedStringsTest, TablesThatAreNoTableReadAsNone) {
    EXPECT_EQ(StringsTable::fromData("// nothing yet\n/* */ \n")->size(), 0u);
    EXPECT_EQ(StringsTable::fromData(utf16(u"\"A\" = \"B\";", true, true))->size(), 1u);
    for (const std::string& bad : {std::string("\"A\" = \"B\"\n\"C\" = \"D\";"), std::string("\"A\" = (\"B\";"),
                                   std::string("(\"A\", \"B\")"), std::string("\"open"), std::string("\xFF\xFE\x41"),
                                   PropertyList::xmlData(Value::array({"A"}))}) {
        EXPECT_FALSE(StringsTable::fromData(bad).has_value()) << bad;
    }
}

TEST(LocalizedStringsTest, ChoosesTheLocalizationAsThePhoneDoes) {
    struct Case {
        std::vector<std::string> folders;
        std::vector<std::string> languages;
        std::string developmentRegion;
        std::string expected;
    };
    const Case cases[] = {
        {{"en", "fr"}, {"fr"}, "", "fr"},                     {{"en", "fr"}, {"fr-CA"}, "", "fr"},
        {{"en", "fr", "fr_CA"}, {"fr-CA"}, "", "fr_CA"},       {{"en", "zh-Hans"}, {"zh-Hans-CN"}, "", "zh-Hans"},
        {{"English", "French"}, {"fr"}, "", "French"},         {{"en", "fr"}, {"de"}, "", "en"},
        {{"en", "fr"}, {"de", "fr"}, "", "fr"},                {{"English", "de"}, {"ja"}, "", "English"},
        {{"en", "de"}, {"ja"}, "de", "de"},                    {{"en", "German"}, {"ja"}, "German", "German"},
        {{"English", "fr"}, {"ja"}, "en", "English"},          {{"en", "fr"}, {"ja"}, "French", "fr"},
        {{"Base", "fr"}, {"ja"}, "", "Base"},                  {{}, {"en"}, "", "WHO"},
    };
    for (const auto& [folders, languages, developmentRegion, expected] : cases) {
        TemporaryDevice device;
        for (const auto& folder : folders) device.writeFile(kBundle + "/" + folder + ".lproj/Root.strings", "\"WHO\" = \"" + folder + "\";");
        if (!developmentRegion.empty()) {
            PropertyList::write(Value::dictionary({{"CFBundleDevelopmentRegion", developmentRegion}}), kBundle + "/Info.plist");
        }
        Device::shared().setPreferredLanguages(languages);
        EXPECT_EQ(lookUp("WHO"), expected) << joined(folders) << " for " << joined(languages);
    }
}

TEST(LocalizedStringsTest, AKeyFallsBackThroughTheDevelopmentRegionBaseAndTheBundleThenToItself) {
    TemporaryDevice device;
    device.writeFile(kBundle + "/fr.lproj/Root.strings", "\"A\" = \"fr A\";");
    device.writeFile(kBundle + "/en.lproj/Root.strings", "\"A\" = \"en A\"; \"B\" = \"en B\";");
    device.writeFile(kBundle + "/Base.lproj/Root.strings", "\"C\" = \"base C\";");
    device.writeFile(kBundle + "/Root.strings", "\"D\" = \"bundle D\";");
    device.writeFile(kBundle + "/fr.lproj/Localizable.strings", "\"A\" = \"fr A of Localizable\";");
    device.writeFile(kBundle + "/notes.lproj", "a file, no folder");
    Device::shared().setPreferredLanguages({"fr"});
    auto bundle = NSBundle::bundleWithPath(kBundle);
    EXPECT_EQ(joined(bundle->localizations()), "Base en fr");
    EXPECT_EQ(joined(bundle->preferredLocalizations()), "fr en Base");
    EXPECT_EQ(lookUp("A") + "|" + lookUp("B") + "|" + lookUp("C") + "|" + lookUp("D"), "fr A|en B|base C|bundle D");
    EXPECT_EQ(lookUp("E", "Fallback"), "Fallback");
    EXPECT_EQ(lookUp("E", ""), "E");
    EXPECT_EQ(lookUp("A", "", ""), "fr A of Localizable");
    EXPECT_EQ(lookUp("A", "", "Missing"), "A");
}

TEST(LocalizedStringsTest, ATableIsReadOnceAndAgainOnlyWhenItsFileChanges) {
    TemporaryDevice device;
    const std::string table = kBundle + "/en.lproj/Root.strings";
    device.writeFile(table, "\"A\" = \"1\";");
    auto first = StringsTable::load(table);
    EXPECT_EQ(StringsTable::load(table).get(), first.get()) << "the same table while the file stays";
    auto stamped = std::filesystem::last_write_time(device.hostPath(table));
    device.writeFile(table, "\"A\" = \"2\";");
    std::filesystem::last_write_time(device.hostPath(table), stamped);
    EXPECT_EQ(lookUp("A"), "2") << "rewritten in place to the same size, within the clock's tick";
    std::filesystem::path older = device.hostPath(table);
    std::filesystem::last_write_time(older, std::filesystem::last_write_time(older) - std::chrono::hours(1));
    auto settled = StringsTable::load(table);
    EXPECT_EQ(StringsTable::load(table).get(), settled.get());
    PropertyList::write(Value::dictionary({{"A", "3"}}), table);
    EXPECT_EQ(lookUp("A"), "3") << "replaced whole";
    std::filesystem::remove(device.hostPath(table));
    EXPECT_EQ(lookUp("A"), "A");
    EXPECT_EQ(StringsTable::load(table), nullptr);
}

TEST(LocalizedStringsTest, ANewLocalizationFolderAndANewLanguageAreSeen) {
    TemporaryDevice device;
    device.writeFile(kBundle + "/en.lproj/Root.strings", "\"A\" = \"en\";");
    auto bundle = NSBundle::bundleWithPath(kBundle);
    Device::shared().setPreferredLanguages({"de"});
    EXPECT_EQ(bundle->localizedStringForKey_value_table("A", "", "Root"), "en");
    auto folderTime = std::filesystem::last_write_time(device.hostPath(kBundle));
    device.writeFile(kBundle + "/de.lproj/Root.strings", "\"A\" = \"de\";");
    std::filesystem::last_write_time(device.hostPath(kBundle), folderTime);
    EXPECT_EQ(bundle->localizedStringForKey_value_table("A", "", "Root"), "de") << "added within the clock's tick";
    Device::shared().setPreferredLanguages({});
    EXPECT_EQ(Device::shared().preferredLanguages(), std::vector<std::string>{"en"}) << "a phone always has a language";
    EXPECT_EQ(bundle->localizedStringForKey_value_table("A", "", "Root"), "en");
}

} // namespace
