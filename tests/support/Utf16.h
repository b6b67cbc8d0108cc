#pragma once

#include <string>

// The bytes of `text` in UTF-16 as older tools save it: either byte order,
// with or without the byte-order mark.
inline std::string utf16(const std::u16string& text, bool littleEndian, bool byteOrderMark) {
    std::string bytes;
    for (char16_t unit : byteOrderMark ? u"\uFEFF" + text : text) {
        char low = static_cast<char>(unit & 0xFF);
        char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}
