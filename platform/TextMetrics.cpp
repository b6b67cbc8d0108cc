#include "platform/TextMetrics.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Of the font size: an average glyph's width (a bold one's a little wider)
// and a line's height.
constexpr double kGlyphWidthFactor = 0.53;
constexpr double kBoldGlyphWidthFactor = 0.56;
constexpr double kLineHeightFactor = 1.3;

template <typename Visit>
void forEachParagraph(const std::string& text, Visit visit) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        visit(TextMetrics::characterCount(text.substr(start, end - start)));
        start = end + 1;
    }
}

} // namespace

// Text that is not UTF-8 counts each bad sequence as one replacement character.
std::size_t TextMetrics::characterCount(const std::string& text) {
    if (!utf8::is_valid(text.begin(), text.end())) return characterCount(utf8::replace_invalid(text));
    return static_cast<std::size_t>(utf8::distance(text.begin(), text.end()));
}

std::size_t TextMetrics::lineCount(const std::string& text, std::size_t perLine) {
    std::size_t lines = 0;
    forEachParagraph(text, [&](std::size_t characters) {
        lines += characters == 0 ? 1 : (characters - 1) / perLine + 1;
    });
    return lines;
}

CGSize TextMetrics::sizeOfText(const std::string& text, Font font, CGFloat width, int lines) {
    CGFloat glyphWidth = font.size * (font.bold ? kBoldGlyphWidthFactor : kGlyphWidthFactor);
    std::size_t longest = 0;
    forEachParagraph(text, [&](std::size_t characters) { longest = std::max(longest, characters); });
    // Without a width every paragraph is one line.
    std::size_t perLine = std::isfinite(width) ? std::max<std::size_t>(1, static_cast<std::size_t>(width / glyphWidth))
                                               : std::numeric_limits<std::size_t>::max();
    std::size_t needed = lineCount(text, perLine);
    if (lines > 0) needed = std::min(needed, static_cast<std::size_t>(lines));
    CGFloat textWidth = std::min(static_cast<CGFloat>(longest) * glyphWidth, width);
    return CGSizeMake(std::ceil(textWidth), static_cast<CGFloat>(needed) * std::ceil(font.size * kLineHeightFactor));
}
