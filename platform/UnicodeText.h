#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text files as the phone's tools write them, turned into UTF-8: UTF-8 with
// or without a byte-order mark, and UTF-16 of either byte order, with a mark
// or (as older tools wrote strings tables) without one, told by the zero
// bytes of its first character. Nullopt for bytes that are none of these.
class UnicodeText {
public:
    static std::optional<std::string> toUtf8(std::string_view bytes);
};
