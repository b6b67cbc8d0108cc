#include "shell/getColorFromHex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// "254 202 0 1": red, green and blue in 255ths, then alpha.
std::string components(const UIColor& color) {
    auto byte = [](double component) { return std::to_string(std::lround(component * 255)); };
    return byte(color.red()) + " " + byte(color.green()) + " " + byte(color.blue()) + " " +
           (color.alpha() == 1.0 ? "1" : std::to_string(color.alpha()));
}

struct ColorCase {
    const char* what;
    std::string text;
    const char* expected;
};

const ColorCase kColorCases[] = {
    {"switch amber", "#FECA00", "254 202 0 1"},
    {"link blue", "#007CE6", "0 124 230 1"},
    {"no hash: the first digit is skipped, ECA00 is left", "FECA00", "14 202 0 1"},
    {"three digits are the number FFF", "#fff", "0 15 255 1"},
    {"eight digits drop the top byte", "#FFFECA00", "254 202 0 1"},
    {"0x prefix", "#0xFECA00", "254 202 0 1"},
    {"ideographic space", "#\u3000FECA00", "254 202 0 1"},
    {"digits end at the first other character", "#FE CA00", "0 0 254 1"},
    {"two hashes", "##FECA00", "0 0 0 1"},
    {"empty string", "", "0 0 0 1"},
    {"nine digits saturate to white", "#FFFFFFFFF", "255 255 255 1"},
    {"a first character outside the BMP leaves half of it", "\U0001F60AFECA00", "0 0 0 1"},
    {"a combining mark after the first character stops the scan", "e\u0301FECA00", "0 0 0 1"},
};

TEST(GetColorFromHexTest, ReadsLikeTheScannerFromTheSecondCharacter) {
    for (const auto& colorCase : kColorCases) {
        auto color = getColorFromHex(colorCase.text);
        ASSERT_TRUE(color) << colorCase.what;
        EXPECT_EQ(components(*color), colorCase.expected) << colorCase.what;
    }
}

} // namespace
