#include "platform/TextMetrics.h"

#include <algorithm>

std::size_t TextMetrics::characterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
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
