#pragma once

#include "platform/CGGeometry.h"

#include <string>

// The one measure of text for layout. The stand-in draws no glyphs itself, so
// a line holds as many characters (code points, not bytes) as the font's
// average glyph width allows, and every line is as tall as the font's line
// height. Sizes are rounded up to whole points, as UIKit's are.
class TextMetrics {
public:
    struct Font {
        double size = 17;
        bool bold = false;
    };

    // Characters (code points) of UTF-8 text.
    static std::size_t characterCount(const std::string& text);
    // The size `text` takes wrapped at `width` (each paragraph on its own
    // lines), in at most `lines` lines (0: as many as it needs). Its width is
    // that of its longest line.
    static CGSize sizeOfText(const std::string& text, Font font, CGFloat width, int lines);

private:
    static std::size_t lineCount(const std::string& text, std::size_t perLine);
};
