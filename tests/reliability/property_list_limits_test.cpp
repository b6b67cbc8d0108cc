// What the property-list reader refuses before libplist can be made to
// recurse, copy or abort, and what text it will not read or write because
// the files have no form for it.
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/reliability/HandMadeBinaryPlist.h"
#include "tests/reliability/HostileFiles.h"
#include "tests/support/IndependentReaders.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t kLargestFile = 64 * 1024 * 1024;

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
}

// Cycles through a dictionary, trailers that lie, references to no object;
// and a dictionary key that is not plain text, on which libplist asserts.
TEST(PropertyListLimitsTest, BrokenBinaryShapesReadAsNone) {
    HandMadeBinaryPlist pair;
    pair.addArray({1});
    pair.addDictionary({{2, 0}});
    pair.addAsciiString("back");
    HandMadeBinaryPlist good;
    good.addArray({1});
    good.addBoolean(true);
    std::string file = good.bytes(0);
    ASSERT_TRUE(reads(file));
    std::string tableOutside = file;
    HandMadeBinaryPlist::setOffsetTable(tableOutside, file.size() * 2);
    HandMadeBinaryPlist missing;
    missing.addArray({7});
    auto keyed = [](auto addKey) {
        HandMadeBinaryPlist plist;
        plist.addDictionary({{1, 2}});
        addKey(plist);
        plist.addBoolean(true);
        return plist.bytes(0);
    };
    EXPECT_TRUE(reads(keyed([](HandMadeBinaryPlist& plist) { plist.addAsciiString("Enabled"); })));
    for (const auto& broken : {pair.bytes(0), tableOutside, missing.bytes(0),
                               keyed([](HandMadeBinaryPlist& plist) { plist.addAsciiString(std::string("a\0b", 3)); }),
                               keyed([](HandMadeBinaryPlist& plist) { plist.addUtf16String(std::u16string(u"a\0b", 3)); }),
                               keyed([](HandMadeBinaryPlist& plist) { plist.addInteger(7); })}) {
        EXPECT_FALSE(reads(broken));
    }
}

TEST(PropertyListLimitsTest, AFileOf64MebibytesIsReadAndOneByteMoreIsNot) {
    std::string shell = xmlPlist("<array><string></string></array>");
    std::string exact = xmlPlist("<array><string>" + std::string(kLargestFile - shell.size(), 'x') + "</string></array>");
    ASSERT_EQ(exact.size(), kLargestFile);
    EXPECT_TRUE(reads(exact));
    EXPECT_FALSE(reads(exact + " "));
}

TEST(PropertyListLimitsTest, TextThatIsNotUnicodeOrHoldsANulIsNeitherReadNorWritten) {
    TemporaryDevice device;
    const std::string path = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";
    ASSERT_TRUE(PropertyList::write(Value::dictionary({{"Enabled", false}}), path));
    const std::string before = device.readFile(path);
    for (const std::string& bad : {std::string("caf\xC3"), std::string("\xED\xA0\xBD"),
                                  std::string("nul\0byte", 8), std::string("\xC0\xAF")}) {
        EXPECT_FALSE(PropertyList::write(Value::dictionary({{"Note", bad}}), path));
        EXPECT_FALSE(PropertyList::write(Value::dictionary({{bad, true}}), path));
        EXPECT_FALSE(PropertyList::write(Value::array({Value(bad)}), path));
        EXPECT_EQ(device.readFile(path), before) << "the old file stays";
        EXPECT_FALSE(reads(xmlPlist("<dict><key>" + bad + "</key><true/></dict>")));
    }
    EXPECT_TRUE(PropertyList::write(Value::dictionary({{"Note", "tab\tline\nreturn\r 👨‍👩‍👧 ☝🏼"}}), path));
    EXPECT_EQ(readWithPlistlib(device.hostPath(path)), R"({"Note": "tab\tline\nreturn\n 👨‍👩‍👧 ☝🏼"})");
}

} // namespace
