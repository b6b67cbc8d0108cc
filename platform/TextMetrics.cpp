#include "platform/TextMetrics.h"

#include <utf8cpp/utf8.h>

#include <algorithm>

// Text that is not UTF-8 counts each bad sequence as one replacement character.
std::size_t TextMetrics::characterCount(const std::string& text) {
    if (!utf8::is_valid(text.begin(), text.end())) return characterCount(utf8::replace_invalid(text));
    return static_cast<std::size_t>(utf8::distance(text.begin(), text.end()));
}

std::size_t TextMetrics::lineCount(const std::string& text, CGFloat width, CGFloat characterWidth) {
    std::size_t perLine = std::max<std::size_t>(1, static_cast<std::size_t>(width / characterWidth));
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::size_t characters = characterCount(text.substr(start, end - start));
        lines += std::max<std::size_t>(1, (characters + perLine - 1) / perLine);
        start = end + 1;
    }
    return lines;
}
