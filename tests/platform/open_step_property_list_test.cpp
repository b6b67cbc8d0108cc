// The old text form of property lists read through the one reader, as
// Theos projects write pages and entries in it, and what it refuses.
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/support/Utf16.h"

#include <gtest/gtest.h>

namespace {

std::string read(const std::string& text) { return PropertyList::fromData(text).description(); }

TEST(OpenStepPropertyListTest, ReadsAPageAsTheosProjectsWriteIt) {
    TemporaryDevice device;
    const std::string page = "/Library/PreferenceBundles/Lamp.bundle/Root.plist";
    device.writeFile(page, R"(// Lamp settings
{
    title = "Desk Lamp";
    items = (
        { cell = PSGroupCell; label = "Light"; },
        /* the main switch */
        {
            cell = PSSwitchCell;
            default = 1;
            defaults = com.example.lamp;
            key = "Enabled";
            label = 'On at night';
            min = -2.5;
        },
    );
    icon = <89504e47 0d0a>;
})");
    EXPECT_EQ(PropertyList::read(page).description(),
              R"({icon = <6 bytes>; items = ({cell = "PSGroupCell"; label = "Light"}, {cell = "PSSwitchCell"; )"
              R"(default = "1"; defaults = "com.example.lamp"; key = "Enabled"; label = "On at night"; min = "-2.5"}); )"
              R"(title = "Desk Lamp"})");
    EXPECT_EQ(PropertyList::read(page).asDictionary()->at("icon").asData().bytes,
              (std::vector<std::uint8_t>{0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a}));
}

TEST(OpenStepPropertyListTest, ReadsEveryKindOfValueAndEscape) {
    const std::pair<std::string, std::string> cases[] = {
        {R"("tab\there\nnext")", "\"tab\there\nnext\""},
        {R"("quote \" and backslash \\ and \' ")", R"("quote " and backslash \ and ' ")"},
        {R"('single "quoted"')", R"("single "quoted"")"},
        {R"("\101\102C \351t\351")", "\"ABC été\""},
        {R"("caf\U00e9 \U00E9")", "\"café é\""},
        {R"("\UD83D\UDE00!")", "\"😀!\""},
        {"\"r\\a\\b\\f\\r\\v\"", "\"r\a\b\f\r\v\""},
        {"\"👨‍👩‍👧 raw\"", "\"👨‍👩‍👧 raw\""},
        {"com.example_a$b/c:d-e", "\"com.example_a$b/c:d-e\""},
        {"<>", "<0 bytes>"},
        {"< 0F be\n12 >", "<3 bytes>"},
        {"()", "()"},
        {"(a, (b), {c = d;},)", R"(("a", ("b"), {c = "d"}))"},
        {"{}", "{}"},
        {"{a = 1; a = 2;}", R"({a = "2"})"},
        {"/* before */ ( x ) // after", R"(("x"))"},
        {"\"Title\" = \"Lamp\";\n\"Off\" = \"Dark\";", R"({Off = "Dark"; Title = "Lamp"})"},
        {"\"Alone\";", R"({Alone = "Alone"})"},
        {"\"Title\" = \"Lamp\";\n\"Off\" = \"Dark\"\n", R"({Off = "Dark"; Title = "Lamp"})"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(read(text), expected) << text;
}

TEST(OpenStepPropertyListTest, ReadsUtf8AndUtf16WithOrWithoutAByteOrderMark) {
    const std::u16string text = u"{ label = \"Lumière 💡\"; }";
    const std::string expected = R"({label = "Lumière 💡"})";
    EXPECT_EQ(read("\xEF\xBB\xBF{ label = \"Lumière 💡\"; }"), expected);
    for (bool littleEndian : {true, false}) {
        for (bool mark : {true, false}) EXPECT_EQ(read(utf16(text, littleEndian, mark)), expected) << littleEndian << mark;
    }
}

TEST(OpenStepPropertyListTest, MalformedTextReadsAsNothing) {
    const std::string cases[] = {
        "", "   // only a comment\n", "{ a = \"open; }", "{ a = b }", "{ a b; }", "{ = b; }", "( a b )", "( a, ",
        "{ a = (1, 2; }", "<0fb>", "<0fzz>", "/* never closed", "a b", "{ a = b; } }", R"("\UD83D alone")",
        R"("\UDE00")", R"("\UD83D\U0041")", R"("nul \0 inside")", R"("nul \U0000 inside")",
        std::string("{ a = \"nul\0byte\"; }", 18), "{ a = \"caf\xC3\"; }", "{ \xC3\xA9t\xC3\xA9 = b; }",
    };
    for (const auto& text : cases) EXPECT_EQ(read(text), "nil") << text;
}

TEST(OpenStepPropertyListTest, NestingIsLimitedTo512Levels) {
    auto nested = [](int depth, const std::string& open, const std::string& close) {
        std::string text;
        for (int level = 0; level < depth; ++level) text += open;
        text += "x";
        for (int level = 0; level < depth; ++level) text += close;
        return text;
    };
    for (const auto& [open, close] : {std::pair{"(", ")"}, std::pair{"{a=", ";}"}}) {
        EXPECT_NE(read(nested(512, open, close)), "nil") << open;
        EXPECT_EQ(read(nested(513, open, close)), "nil") << open;
    }
    EXPECT_EQ(read(nested(100000, "(", ")")), "nil") << "refused without exhausting the stack";
}

TEST(OpenStepPropertyListTest, XmlAndBinaryFormsAreStillTheirOwn) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>a</key>"
                            "<integer>7</integer></dict></plist>";
    EXPECT_EQ(read(xml), "{a = 7}");
    EXPECT_EQ(read("  \n" + xml.substr(xml.find("<plist"))), "{a = 7}");
    EXPECT_EQ(read("<plist version=\"1.0\"><dict><key>a</key>"), "nil") << "broken XML is not data";
    EXPECT_EQ(read(utf16(u"<plist><array><string>é</string></array></plist>", true, true)), R"(("é"))");
    EXPECT_EQ(read(PropertyList::binaryData(Value::array({1, "b"}))), R"((1, "b"))");
}

} // namespace
