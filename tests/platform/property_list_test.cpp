#include "platform/Device.h"
#include "platform/NSObject.h"
#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string kFile = "/var/mobile/Library/Preferences/test.plist";

class PropertyListTest : public ::testing::Test {
protected:
    TemporaryDevice device;
};

TEST_F(PropertyListTest, WritesAppleXmlThatReadsBackAndThatPlistlibAgreesWith) {
    Value original = Value::dictionary({{"Enabled", true},
                                        {"ST", "3"},
                                        {"Count", 42},
                                        {"Ratio", 0.5},
                                        {"Emoji", Value::array({"👨‍👩‍👧", "#️⃣", "🇫🇷", "☝️"})}});
    ASSERT_TRUE(PropertyList::write(original, kFile));
    std::string xml = device.readFile(kFile);
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(xml.find("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\""), std::string::npos);
    EXPECT_EQ(PropertyList::read(kFile), original);
    EXPECT_EQ(readWithPlistlib(device.hostPath(kFile)),
              R"({"Count": 42, "Emoji": ["👨‍👩‍👧", "#️⃣", "🇫🇷", "☝️"], "Enabled": true, "Ratio": 0.5, "ST": "3"})");
}

TEST_F(PropertyListTest, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryBehind) {
    ASSERT_TRUE(PropertyList::write(Value::array({"old"}), kFile));
    std::string before = device.readFile(kFile);
    auto directory = device.hostPath(kFile).parent_path();
    // A write stopped part way is the atomic-replace test's; here the rename itself fails:
    // a directory standing where the file goes cannot be replaced by a file.
    const std::string blocked = "/var/mobile/Library/Preferences/blocked.plist";
    std::filesystem::create_directories(device.hostPath(blocked) / "inside");
    EXPECT_FALSE(PropertyList::write(Value::array({"new"}), blocked));
    EXPECT_TRUE(std::filesystem::is_directory(device.hostPath(blocked)));
    // A value with no property-list form is not written at all.
    EXPECT_FALSE(PropertyList::write(Value(std::make_shared<NSObject>()), kFile));
    EXPECT_EQ(device.readFile(kFile), before);

    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        EXPECT_EQ(entry.path().filename().string().front() == '.', false) << entry.path();
        ++entries;
    }
    EXPECT_EQ(entries, 2u) << "test.plist and the blocking directory only";
}

TEST_F(PropertyListTest, WrittenFilesTakeTheModeTheUmaskGives) {
    const std::vector<std::pair<mode_t, mode_t>> masksAndModes{{0022, 0644}, {0027, 0640}, {0002, 0664}};
    mode_t saved = ::umask(0022);
    for (const auto& [mask, mode] : masksAndModes) {
        ::umask(mask);
        ASSERT_TRUE(PropertyList::write(Value::array({}), kFile));
        struct stat status {};
        ASSERT_EQ(::stat(device.hostPath(kFile).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, mode) << "umask " << std::oct << mask;
    }
    ::umask(saved);
}

TEST(DevicePathTest, DevicePathsStayUnderTheRoot) {
    TemporaryDevice device;
    const std::pair<const char*, const char*> cases[] = {
        {"/var/mobile/x", "var/mobile/x"}, {"relative/path", nullptr},  {"/../../etc/passwd", nullptr},
        {"/var/../etc", "etc"},            {"//etc/passwd", "etc/passwd"}, {"///var//mobile", "var/mobile"},
        {"/var//mobile/./a.plist", "var/mobile/a.plist"}, {"/var/mobile/a..plist", "var/mobile/a..plist"}};
    for (const auto& [path, under] : cases) {
        EXPECT_EQ(Device::shared().hostPath(path), under ? device.root() / under : std::filesystem::path()) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(device.root() / "var/mobile/Library/Preferences"));
}

TEST(PathUtilitiesTest, BuildsPathsAsFoundationDoes) {
    EXPECT_EQ(NSHomeDirectory(), "/var/mobile");
    EXPECT_EQ(stringByAppendingPathComponent("/var/mobile", "Library/Preferences"), "/var/mobile/Library/Preferences");
    EXPECT_EQ(stringByAppendingPathComponent("/var/mobile/", "/x/"), "/var/mobile/x");
    EXPECT_EQ(stringByAppendingPathComponent("/", "x"), "/x");
    EXPECT_EQ(stringByAppendingPathExtension("/a/com.korvent.vimble", "plist"), "/a/com.korvent.vimble.plist");
    EXPECT_EQ(stringWithFormat("%@Radio - Active.png", {"/B/"}), "/B/Radio - Active.png");
    EXPECT_EQ(stringWithFormat("%@%@.png", {"/B/", "Dorian K. Vale"}), "/B/Dorian K. Vale.png");
    EXPECT_EQ(componentsSeparatedByString(" a  b ", " "), (std::vector<std::string>{"", "a", "", "b", ""}));
    EXPECT_EQ(componentsSeparatedByString("a,,,b", ",,"), (std::vector<std::string>{"a", ",b"}));
}

} // namespace
