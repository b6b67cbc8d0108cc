#include "platform/UnicodeText.h"

#include <utf8cpp/utf8.h>

#include <cstdint>

namespace {

enum class Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Every text file these readers take starts with ASCII (a quote, a slash, a
// brace, a letter, '<'), which UTF-16 writes as one zero byte beside it.
Encoding guessEncoding(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return Encoding::Utf8;
    if (bytes[0] != '\0' && bytes[1] == '\0') return Encoding::Utf16LittleEndian;
    if (bytes[0] == '\0' && bytes[1] != '\0') return Encoding::Utf16BigEndian;
    return Encoding::Utf8;
}

std::optional<std::string> fromUtf16(std::string_view bytes, Encoding encoding) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t index = 0; index < units.size(); ++index) {
        auto first = static_cast<std::uint8_t>(bytes[2 * index]);
        auto second = static_cast<std::uint8_t>(bytes[2 * index + 1]);
        units[index] = encoding == Encoding::Utf16LittleEndian ? static_cast<char16_t>(first | (second << 8))
                                                               : static_cast<char16_t>((first << 8) | second);
    }
    std::string text;
    try {
        utf8::utf16to8(units.begin(), units.end(), std::back_inserter(text));
    } catch (const utf8::exception&) {
        return std::nullopt; // a lone surrogate
    }
    return text;
}

} // namespace

std::optional<std::string> UnicodeText::toUtf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    else if (bytes.starts_with(kUtf16LittleEndianMark)) return fromUtf16(bytes.substr(2), Encoding::Utf16LittleEndian);
    else if (bytes.starts_with(kUtf16BigEndianMark)) return fromUtf16(bytes.substr(2), Encoding::Utf16BigEndian);
    Encoding encoding = guessEncoding(bytes);
    if (encoding != Encoding::Utf8) return fromUtf16(bytes, encoding);
    if (!utf8::is_valid(bytes.begin(), bytes.end())) return std::nullopt;
    return std::string(bytes);
}
