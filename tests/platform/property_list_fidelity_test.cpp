// A file the phone's Foundation reads loses nothing when one of its keys is
// changed: every value kind, in both forms, comes back as it was.
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

const std::string kFile = "/var/mobile/Library/Preferences/test.plist";

// plistlib's XML writer refuses control characters: the text goes in afterwards.
const std::string kWriteEveryKind = R"(
import plistlib, sys, datetime
form, text = sys.argv[2], sys.argv[3].encode().decode("unicode_escape")
d = {"Enabled": True, "Big": 18446744073709551615, "Min": -9223372036854775808, "Real": 0.1,
     "Old": datetime.datetime(1800, 1, 1), "Far": datetime.datetime(4001, 1, 1),
     "Fraction": datetime.datetime(2020, 1, 1, 0, 0, 0, 250000), "Data": b"\x00\xff",
     "Text": "TEXT", "Nested": {"List": [1, [2.5, "x"]]}}
if form == "binary":
    d["Text"] = text
    data = plistlib.dumps(d, fmt=plistlib.FMT_BINARY)
else:
    data = plistlib.dumps(d).replace(b"TEXT", text.encode())
open(sys.argv[1], "wb").write(data)
)";

const std::string kReadSorted = "import plistlib, sys; print(sorted(plistlib.load(open(sys.argv[1], \"rb\")).items()))";

struct Fidelity {
    const char* name;
    const char* form;
    const char* text; // as Python writes it in an escape and shows it
    const char* writtenAs;
    const char* fraction;
};

class PropertyListFidelityTest : public ::testing::TestWithParam<Fidelity> {
protected:
    TemporaryDevice device;
};

TEST_P(PropertyListFidelityTest, ChangingOneKeyWritesEveryOtherBackAsItWas) {
    const Fidelity& fidelity = GetParam();
    std::string host = "'" + device.hostPath(kFile).string() + "'";
    runPython(kWriteEveryKind, host + " " + fidelity.form + " '" + fidelity.text + "'");

    auto settings = PropertyList::readDictionary(kFile);
    ASSERT_TRUE(settings) << "Foundation reads this file";
    (*settings)["Enabled"] = false;
    ASSERT_TRUE(PropertyList::write(Value(settings), kFile));

    EXPECT_EQ(device.readFile(kFile).substr(0, 8), fidelity.writtenAs);
    EXPECT_EQ(runPython(kReadSorted, host),
              std::string("[('Big', 18446744073709551615), ('Data', b'\\x00\\xff'), ('Enabled', False), "
                          "('Far', datetime.datetime(4001, 1, 1, 0, 0)), ('Fraction', datetime.datetime(2020, 1, 1, 0, 0") +
                  fidelity.fraction +
                  ")), ('Min', -9223372036854775808), ('Nested', {'List': [1, [2.5, 'x']]}), "
                  "('Old', datetime.datetime(1800, 1, 1, 0, 0)), ('Real', 0.1), ('Text', '" +
                  fidelity.text + "')]\n");
}

// XML has whole seconds only, and no room for a control character: such a
// file is written back in the binary form.
INSTANTIATE_TEST_SUITE_P(
    Forms, PropertyListFidelityTest,
    ::testing::Values(Fidelity{"Xml", "xml", "plain", "<?xml ve", ""},
                      Fidelity{"XmlWithControlCharacter", "xml", "bell\\x07", "bplist00", ""},
                      Fidelity{"Binary", "binary", "tab\\tcr\\r", "bplist00", ", 0, 250000"}),
    [](const auto& param) { return std::string(param.param.name); });

// A killed writer leaves its temporary file; the next write of the same
// file takes it away, and nothing of other files.
TEST(AtomicFileTest, TheNextWriteRemovesTheTemporariesItsKilledWritersLeft) {
    TemporaryDevice device;
    const std::set<std::string> kept = {".other.plist.Ab12Cd", ".test.plist.Ab12C", ".test.plist.Ab12Cd7",
                                        "test.plist.Ab12Cd", ".test.plist.Ab-2Cd"};
    for (const auto& name : kept) device.writeFile("/var/mobile/Library/Preferences/" + name, "other");
    for (const auto& name : {".test.plist.Ab12Cd", ".test.plist.zzzzzz"}) {
        device.writeFile("/var/mobile/Library/Preferences/" + std::string(name), "half");
    }
    ASSERT_TRUE(PropertyList::write(Value::array({Value("whole")}), kFile));
    std::set<std::string> remaining;
    for (const auto& entry : std::filesystem::directory_iterator(device.hostPath(kFile).parent_path())) {
        if (entry.path().filename() != "test.plist") remaining.insert(entry.path().filename().string());
    }
    EXPECT_EQ(remaining, kept);
}

} // namespace
