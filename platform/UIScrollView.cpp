#include "platform/UIScrollView.h"

#include <algorithm>

void UIScrollView::setContentSize(CGSize size) {
    _contentSize = size;
    if (contentOffset().y > maximumOffsetY()) setContentOffset(CGPointMake(contentOffset().x, maximumOffsetY()));
}

void UIScrollView::setContentOffset(CGPoint offset) { setBoundsOrigin(offset); }

CGFloat UIScrollView::maximumOffsetY() const { return std::max<CGFloat>(0, _contentSize.height - frame().height()); }

bool UIScrollView::scrollBy(CGFloat dy) {
    if (!_scrollEnabled) return false;
    CGFloat target = std::clamp<CGFloat>(contentOffset().y + dy, 0, maximumOffsetY());
    if (target == contentOffset().y) return false;
    setContentOffset(CGPointMake(contentOffset().x, target));
    return true;
}
