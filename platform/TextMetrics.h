#pragma once

#include "platform/CGGeometry.h"

#include <string>

// Rough text measurement for layout: the stand-in draws no glyphs itself, so
// a line holds as many characters as an average glyph width allows.
class TextMetrics {
public:
    // Characters (code points) of UTF-8 text.
    static std::size_t characterCount(const std::string& text);
    // The lines `text` takes at `width`, each paragraph wrapping on its own,
    // at an average glyph width of `characterWidth`.
    static std::size_t lineCount(const std::string& text, CGFloat width, CGFloat characterWidth);
};
