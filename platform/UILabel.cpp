#include "platform/UILabel.h"

std::shared_ptr<UILabel> UILabel::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    setUserInteractionEnabled(false);
    return self<UILabel>();
}
