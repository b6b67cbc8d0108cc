#pragma once

#include "platform/UIView.h"

enum class NSTextAlignment { Left = 0, Center = 1, Right = 2 };

class UILabel : public UIView {
public:
    OBJC_CLASS_NAME(UILabel)
    const char* viewKind() const override { return "label"; }
    // Text is read as it stands.
    UIAccessibilityTraits accessibilityTraits() const override { return UIView::accessibilityTraits() | UIAccessibilityTraitStaticText; }
    bool isAccessibilityElement() const override { return true; }

    std::shared_ptr<UILabel> initWithFrame(const CGRect& frame);

    const std::string& text() const { return _text; }
    void setText(std::string text) { _text = std::move(text); }
    const std::shared_ptr<UIColor>& textColor() const { return _textColor; }
    void setTextColor(std::shared_ptr<UIColor> color) { _textColor = std::move(color); }
    double fontSize() const { return _fontSize; }
    void setFontSize(double size) { _fontSize = size; }
    bool isBold() const { return _bold; }
    void setBold(bool bold) { _bold = bold; }
    NSTextAlignment textAlignment() const { return _textAlignment; }
    void setTextAlignment(NSTextAlignment alignment) { _textAlignment = alignment; }
    // 0: as many lines as the text needs.
    int numberOfLines() const { return _numberOfLines; }
    void setNumberOfLines(int lines) { _numberOfLines = lines; }

    // The size the text needs within `size`'s width, in at most the label's
    // number of lines (TextMetrics measures).
    CGSize sizeThatFits(CGSize size) const;

private:
    std::string _text;
    std::shared_ptr<UIColor> _textColor = UIColor::blackColor();
    double _fontSize = 17;
    bool _bold = false;
    NSTextAlignment _textAlignment = NSTextAlignment::Left;
    int _numberOfLines = 1;
};
