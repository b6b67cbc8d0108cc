#include "platform/UIView.h"

#include "platform/NSTimer.h"
#include "platform/RunLoop.h"
#include "platform/UIWindow.h"

#include <algorithm>
#include <cassert>

namespace {

// The animation whose body is running, if any. Animations run on the main
// thread only, so one slot serves.
std::optional<UIViewAnimation> currentAnimation;
std::uint64_t animationSerial = 0;

} // namespace

std::shared_ptr<UIView> UIView::initWithFrame(const CGRect& frame) {
    _frame = frame;
    return self<UIView>();
}

void UIView::setFrame(const CGRect& frame) {
    if (frame.size != _frame.size) _needsLayout = true;
    _frame = frame;
    noteAnimatedChange();
}

void UIView::setBoundsOrigin(CGPoint origin) {
    if (origin == _boundsOrigin) return;
    _boundsOrigin = origin;
    _needsLayout = true;
}

CGPoint UIView::center() const {
    return CGPointMake(_frame.origin.x + _frame.size.width / 2, _frame.origin.y + _frame.size.height / 2);
}

void UIView::setCenter(CGPoint center) {
    setFrame(CGRect{CGPointMake(center.x - _frame.size.width / 2, center.y - _frame.size.height / 2), _frame.size});
}

void UIView::setAlpha(double alpha) {
    _alpha = std::clamp(alpha, 0.0, 1.0);
    noteAnimatedChange();
}

void UIView::setHidden(bool hidden) { _hidden = hidden; }

void UIView::setBackgroundColor(std::shared_ptr<UIColor> color) {
    _backgroundColor = std::move(color);
    noteAnimatedChange();
}

std::shared_ptr<UIColor> UIView::tintColor() const {
    for (const UIView* view = this; view; view = view->_superview.lock().get()) {
        if (view->_tintColor) return view->_tintColor;
    }
    return UIColor::systemBlueColor();
}

void UIView::setTintColor(std::shared_ptr<UIColor> color) { _tintColor = std::move(color); }

void UIView::addSubview(const std::shared_ptr<UIView>& view) { insertSubview_atIndex(view, _subviews.size()); }

void UIView::insertSubview_atIndex(const std::shared_ptr<UIView>& view, std::size_t index) {
    assert(view && view.get() != this && "a view cannot be its own subview");
    auto keepAlive = view;
    view->removeFromSuperview();
    index = std::min(index, _subviews.size());
    _subviews.insert(_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->setSuperview(self<UIView>());
}

void UIView::removeFromSuperview() {
    auto parent = _superview.lock();
    if (!parent) return;
    auto keepAlive = self<UIView>();
    std::erase_if(parent->_subviews, [this](const auto& view) { return view.get() == this; });
    setSuperview(nullptr);
}

void UIView::setSuperview(const std::shared_ptr<UIView>& superview) {
    _superview = superview;
    notifyMovedToWindow();
}

void UIView::notifyMovedToWindow() {
    didMoveToWindow();
    for (const auto& subview : _subviews) subview->notifyMovedToWindow();
}

std::shared_ptr<UIView> UIView::viewWithTag(long tag) {
    if (_tag == tag) return self<UIView>();
    for (const auto& subview : _subviews) {
        if (auto found = subview->viewWithTag(tag)) return found;
    }
    return nullptr;
}

std::shared_ptr<UIWindow> UIView::window() {
    std::shared_ptr<UIView> top = self<UIView>();
    while (auto parent = top->superview()) top = parent;
    return std::dynamic_pointer_cast<UIWindow>(top);
}

void UIView::layoutIfNeeded() {
    if (_needsLayout) {
        _needsLayout = false;
        layoutSubviews();
    }
    // A subview may leave its superview while laying out: walk a copy.
    auto subviews = _subviews;
    for (const auto& subview : subviews) subview->layoutIfNeeded();
}

CGRect UIView::convertRectToAncestor(const CGRect& rect, const UIView* ancestor) const {
    CGRect converted = rect;
    for (const UIView* view = this; view && view != ancestor; view = view->_superview.lock().get()) {
        converted.origin.x += view->_frame.origin.x - view->_boundsOrigin.x;
        converted.origin.y += view->_frame.origin.y - view->_boundsOrigin.y;
    }
    return converted;
}

CGPoint UIView::convertPointFromWindow(CGPoint point) const {
    CGRect origin = convertRectToAncestor(CGRectZero, nullptr);
    return CGPointMake(point.x - origin.origin.x, point.y - origin.origin.y);
}

std::vector<std::shared_ptr<UIView>> UIView::subviewsInReadingOrder() const {
    auto ordered = _subviews;
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        if (a->_frame.minY() != b->_frame.minY()) return a->_frame.minY() < b->_frame.minY();
        return a->_frame.minX() < b->_frame.minX();
    });
    return ordered;
}

bool UIView::pointInside(CGPoint point) const { return bounds().contains(point); }

std::shared_ptr<UIView> UIView::hitTest(CGPoint point) {
    if (_hidden || _alpha < 0.01 || !_userInteractionEnabled || !pointInside(point)) return nullptr;
    for (auto subview = _subviews.rbegin(); subview != _subviews.rend(); ++subview) {
        CGPoint local = CGPointMake(point.x - (*subview)->_frame.origin.x + (*subview)->_boundsOrigin.x,
                                    point.y - (*subview)->_frame.origin.y + (*subview)->_boundsOrigin.y);
        if (auto hit = (*subview)->hitTest(local)) return hit;
    }
    return self<UIView>();
}

bool UIView::handleTap(CGPoint) { return false; }

void UIView::noteAnimatedChange() {
    if (currentAnimation) _lastAnimation = currentAnimation;
}

void UIView::animateWithDuration_animations_completion(double duration, const std::function<void()>& animations,
                                                       std::function<void(bool)> completion) {
    auto outer = currentAnimation;
    currentAnimation = UIViewAnimation{duration, RunLoop::main().now(), ++animationSerial};
    if (animations) animations();
    currentAnimation = outer;
    if (!completion) return;
    NSTimer::scheduledTimerWithTimeInterval_repeats_block(duration, /*repeats=*/false,
                                                          [completion](auto&) { completion(/*finished=*/true); });
}
