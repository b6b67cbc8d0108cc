// What the property-list reader refuses before libplist can be made to
// recurse, copy or wait without end, and what text it will not read or write
// because the files have no form for it.
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"
#include "tests/reliability/HandMadeBinaryPlist.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

namespace {

constexpr std::size_t kLargestFile = 64 * 1024 * 1024;

std::string nestedXml(std::size_t depth) {
    std::string body;
    for (std::size_t level = 0; level < depth; ++level) body += "<array>";
    for (std::size_t level = 0; level < depth; ++level) body += "</array>";
    return xmlPlist(body);
}

bool reads(const std::string& bytes) { return !PropertyList::fromData(bytes).isNil(); }

TEST(PropertyListLimitsTest, NestingIsLimitedTo512LevelsInBothForms) {
    EXPECT_TRUE(reads(nestedXml(512)));
    EXPECT_FALSE(reads(nestedXml(513)));
    EXPECT_TRUE(reads(HandMadeBinaryPlist::nestedArrays(512)));
    EXPECT_FALSE(reads(HandMadeBinaryPlist::nestedArrays(513)));
}

TEST(PropertyListLimitsTest, SharedTextIsReadButSharedContainersMayNotMultiply) {
    HandMadeBinaryPlist uniqued;
    auto smile = uniqued.addUtf16String(u"\U0001F600");
    uniqued.addArray(std::vector<HandMadeBinaryPlist::Object>(1000, smile));
    Value read = PropertyList::fromData(uniqued.bytes(1));
    ASSERT_TRUE(read.isArray()) << "a writer that stores equal texts once is read";
    EXPECT_EQ(read.asArray()->size(), 1000u);
    EXPECT_EQ(read.asArray()->back(), Value("😀"));

    EXPECT_FALSE(reads(HandMadeBinaryPlist::sharedArrays(3, 100))) << "ten thousand nodes from a file of a kilobyte";
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(reads(HandMadeBinaryPlist::sharedArrays(64, 2)));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST(PropertyListLimitsTest, ReferenceCyclesAndLyingTrailersReadAsNone) {
    HandMadeBinaryPlist pair;
    pair.addArray({1});
    pair.addDictionary({{2, 0}});
    pair.addAsciiString("back");
    EXPECT_FALSE(reads(pair.bytes(0)));

    HandMadeBinaryPlist good;
    good.addArray({1});
    good.addBoolean(true);
    std::string file = good.bytes(0);
    ASSERT_TRUE(reads(file));
    std::string hugeCount = file;
    HandMadeBinaryPlist::setObjectCount(hugeCount, std::uint64_t{1} << 62);
    std::string tableOutside = file;
    HandMadeBinaryPlist::setOffsetTable(tableOutside, file.size() * 2);
    HandMadeBinaryPlist missing;
    missing.addArray({7});
    for (const auto& broken : {hugeCount, tableOutside, missing.bytes(0), file.substr(0, file.size() - 1)}) {
        EXPECT_FALSE(reads(broken));
    }
}

// libplist asserts on such a key, which would end the Settings app.
TEST(PropertyListLimitsTest, ADictionaryKeyThatIsNotPlainTextReadsAsNone) {
    auto dictionaryWithKey = [](auto addKey) {
        HandMadeBinaryPlist plist;
        plist.addDictionary({{1, 2}});
        addKey(plist);
        plist.addBoolean(true);
        return plist.bytes(0);
    };
    EXPECT_TRUE(reads(dictionaryWithKey([](HandMadeBinaryPlist& plist) { plist.addAsciiString("Enabled"); })));
    EXPECT_FALSE(reads(dictionaryWithKey([](HandMadeBinaryPlist& plist) { plist.addAsciiString(std::string("a\0b", 3)); })));
    EXPECT_FALSE(reads(dictionaryWithKey([](HandMadeBinaryPlist& plist) { plist.addUtf16String(std::u16string(u"a\0b", 3)); })));
    EXPECT_FALSE(reads(dictionaryWithKey([](HandMadeBinaryPlist& plist) { plist.addInteger(7); })));
}

// Reading by index walked libplist's list from its start every time.
TEST(PropertyListLimitsTest, ALongBinaryArrayReadsInLinearTime) {
    HandMadeBinaryPlist plist;
    std::vector<HandMadeBinaryPlist::Object> elements;
    for (int index = 0; index < 40'000; ++index) elements.push_back(plist.addInteger(index));
    auto top = plist.addArray(elements);
    auto started = std::chrono::steady_clock::now();
    Value read = PropertyList::fromData(plist.bytes(top));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    ASSERT_TRUE(read.isArray());
    EXPECT_EQ(read.asArray()->size(), 40'000u);
    EXPECT_EQ(read.asArray()->back(), Value(39'999));
}

TEST(PropertyListLimitsTest, AFileOf64MebibytesIsReadAndOneByteMoreIsNot) {
    std::string shell = xmlPlist("<array><string></string></array>");
    std::string exact = xmlPlist("<array><string>" + std::string(kLargestFile - shell.size(), 'x') + "</string></array>");
    ASSERT_EQ(exact.size(), kLargestFile);
    EXPECT_TRUE(reads(exact));
    EXPECT_FALSE(reads(exact + " "));
}

// A lone surrogate has no UTF-8 form; libplist leaves it out of the text.
TEST(PropertyListLimitsTest, ALoneSurrogateInBinaryTextIsDropped) {
    HandMadeBinaryPlist plist;
    plist.addArray({1});
    plist.addUtf16String(u"a\xD83D" "b");
    EXPECT_EQ(PropertyList::fromData(plist.bytes(0)), Value::array({Value("ab")}));
}

class PropertyListTextTest : public ::testing::Test {
protected:
    TemporaryDevice device;
    const std::string path = VimbleFiles::settingsFilePath();
};

TEST_F(PropertyListTextTest, TextThatIsNotUnicodeOrHoldsANulIsNeitherReadNorWritten) {
    const Value good = Value::dictionary({{"Enabled", false}});
    ASSERT_TRUE(PropertyList::write(good, path));
    const std::string before = device.readFile(path);
    for (const std::string& bad : {std::string("caf\xC3"), std::string("\xED\xA0\xBD"), std::string("nul\0byte", 8),
                                  std::string("\xC0\xAF")}) {
        EXPECT_FALSE(PropertyList::write(Value::dictionary({{"Note", bad}}), path));
        EXPECT_FALSE(PropertyList::write(Value::dictionary({{bad, true}}), path));
        EXPECT_FALSE(PropertyList::write(Value::array({Value(bad)}), path));
        EXPECT_EQ(device.readFile(path), before) << "the old file stays";
        EXPECT_FALSE(reads(xmlPlist("<dict><key>" + bad + "</key><true/></dict>")));
    }
    EXPECT_TRUE(PropertyList::write(Value::dictionary({{"Note", "tab\tline\nreturn\r 👨‍👩‍👧 ☝🏼"}}), path));
    EXPECT_EQ(readWithPlistlib(device.hostPath(path)), R"({"Note": "tab\tline\nreturn\n 👨‍👩‍👧 ☝🏼"})");
}

TEST_F(PropertyListTextTest, OnlyRegularFilesAreReadAndAPipeDoesNotBlock) {
    auto host = device.hostPath(path);
    ASSERT_EQ(::mkfifo(host.c_str(), 0644), 0);
    auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(PropertyList::read(path).isNil());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    std::filesystem::remove(host);

    std::filesystem::create_directory(host);
    EXPECT_TRUE(PropertyList::read(path).isNil());
    std::filesystem::remove(host);

    auto elsewhere = device.hostPath("/var/mobile/elsewhere.plist");
    ASSERT_TRUE(PropertyList::write(Value::array({Value("linked")}), "/var/mobile/elsewhere.plist"));
    std::filesystem::create_symlink(elsewhere, host);
    EXPECT_EQ(PropertyList::read(path), Value::array({Value("linked")})) << "a link to a file is followed";
}

} // namespace
