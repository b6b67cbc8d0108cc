#include "platform/UILabel.h"

#include "platform/TextMetrics.h"

std::shared_ptr<UILabel> UILabel::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    setUserInteractionEnabled(false);
    return self<UILabel>();
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    return TextMetrics::sizeOfText(_text, {_fontSize, _bold}, size.width, _numberOfLines);
}
