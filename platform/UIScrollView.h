#pragma once

#include "platform/UIView.h"

// A view whose content is larger than itself; the bounds origin is the
// scroll offset.
class UIScrollView : public UIView {
public:
    OBJC_CLASS_NAME(UIScrollView)
    const char* viewKind() const override { return "scroll"; }

    CGSize contentSize() const { return _contentSize; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    bool isScrollEnabled() const { return _scrollEnabled; }
    void setScrollEnabled(bool enabled) { _scrollEnabled = enabled; }

    // The largest offset at which the content still fills the view.
    CGFloat maximumOffsetY() const;
    // Scrolls by `dy` points (positive: down), clamped to the content; false
    // when scrolling is off or the offset did not move.
    bool scrollBy(CGFloat dy);

private:
    CGSize _contentSize;
    bool _scrollEnabled = true;
};
