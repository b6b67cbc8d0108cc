// The paths every row build goes through: resolving a device path, reading a
// property list whole, reading a picture's header, splitting a list. Each has
// a fast way for the common case; these pin that it answers as the general way.

#include "platform/Device.h"
#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"
#include "platform/UIImage.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(DevicePathResolutionTest, PlainAndUntidyPathsResolveAlike) {
    TemporaryDevice device;
    auto resolved = [](const std::string& path) { return Device::shared().hostPath(path).string(); };
    const std::string root = device.root().string();
    EXPECT_EQ(resolved("/var/mobile/a.plist"), root + "/var/mobile/a.plist");
    EXPECT_EQ(resolved("/var/mobile/"), root + "/var/mobile/");
    EXPECT_EQ(resolved("/var//mobile/./a.plist"), root + "/var/mobile/a.plist");
    EXPECT_EQ(resolved("/var/mobile/../a.plist"), root + "/var/a.plist");
    EXPECT_EQ(resolved("/var/mobile/a..plist"), root + "/var/mobile/a..plist");
    EXPECT_TRUE(resolved("/var/../../a.plist").empty());
}

TEST(FileReadingTest, APropertyListLongerThanOneReadComesBackWhole) {
    TemporaryDevice device;
    const std::string path = "/var/mobile/Library/Preferences/long.plist";
    ValueArray entries;
    for (int index = 0; index < 2000; ++index) entries.emplace_back("entry " + std::to_string(index));
    ASSERT_TRUE(PropertyList::write(Value::array(entries), path));
    ASSERT_GT(device.readFile(path).size(), 16384u);
    auto array = PropertyList::readArray(path);
    ASSERT_TRUE(array);
    EXPECT_EQ(*array, entries);
    device.writeFile(path, "");
    EXPECT_TRUE(PropertyList::read(path).isNil());
}

TEST(FileReadingTest, APictureNeedsItsWholeHeader) {
    TemporaryDevice device;
    const std::string header("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x32\0\0\0\x1e", 24);
    device.writeFile("/pictures/whole@2x.png", header);
    device.writeFile("/pictures/short.png", header.substr(0, 23));
    auto whole = UIImage::imageWithContentsOfFile("/pictures/whole@2x.png");
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->size().width, 25);
    EXPECT_EQ(whole->size().height, 15);
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/pictures/short.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/pictures/missing.png"));
}

TEST(SplittingTest, OneAndSeveralCharacterSeparatorsKeepEmptyPieces) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(componentsSeparatedByString(" a  b ", " "), (Pieces{"", "a", "", "b", ""}));
    EXPECT_EQ(componentsSeparatedByString("", " "), (Pieces{""}));
    EXPECT_EQ(componentsSeparatedByString("a, b, , c", ", "), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(componentsSeparatedByString("a,,,b", ",,"), (Pieces{"a", ",b"}));
    EXPECT_EQ(componentsSeparatedByString("abc", ""), (Pieces{"abc"}));
}

} // namespace
