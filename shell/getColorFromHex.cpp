#include "shell/getColorFromHex.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include <utf8cpp/utf8.h>

namespace {

constexpr std::uint32_t kLastBmpCharacter = 0xFFFF;

// Past the first UTF-16 unit of the text; nullopt when that unit is the
// first half of a surrogate pair (a character outside the BMP), where no
// digit can follow, or when the text is not UTF-8.
std::optional<std::size_t> afterFirstUnit(const std::string& text) {
    if (!utf8::is_valid(text.begin(), text.end())) return std::nullopt;
    auto position = text.begin();
    if (utf8::next(position, text.end()) > kLastBmpCharacter) return std::nullopt;
    return static_cast<std::size_t>(position - text.begin());
}

bool isScannerWhiteSpace(const std::string& text, std::size_t position, std::size_t& length) {
    auto byte = static_cast<unsigned char>(text[position]);
    length = 1;
    if (byte == ' ' || (byte >= '\t' && byte <= '\r')) return true;
    // The rest of the scanner's default set, whitespaceAndNewlineCharacterSet:
    // U+0085 and Unicode's separators (Zs, Zl, Zp).
    static constexpr std::string_view kOtherWhiteSpace[] = {
        "\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006",
        "\u2007", "\u2008", "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};
    for (std::string_view space : kOtherWhiteSpace) {
        if (text.compare(position, space.size(), space) != 0) continue;
        length = space.size();
        return true;
    }
    return false;
}

int hexDigit(char character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    return -1;
}

std::uint32_t scanHexInt(const std::string& text) {
    if (text.empty()) return 0;
    std::optional<std::size_t> afterFirst = afterFirstUnit(text);
    if (!afterFirst) return 0;
    std::size_t position = *afterFirst;
    for (std::size_t length = 0; position < text.size() && isScannerWhiteSpace(text, position, length);) {
        position += length;
    }
    if (position + 1 < text.size() && text[position] == '0' && (text[position + 1] | 0x20) == 'x' &&
        position + 2 < text.size() && hexDigit(text[position + 2]) >= 0) {
        position += 2;
    }
    std::uint64_t value = 0;
    for (; position < text.size() && hexDigit(text[position]) >= 0; ++position) {
        value = std::min<std::uint64_t>(value * 16 + hexDigit(text[position]),
                                        std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1);
    }
    return value > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                              : static_cast<std::uint32_t>(value);
}

} // namespace

std::shared_ptr<UIColor> getColorFromHex(const std::string& hexString) {
    std::uint32_t value = scanHexInt(hexString);
    return UIColor::colorWithRed_green_blue_alpha(((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0,
                                                  (value & 0xFF) / 255.0, 1.0);
}
