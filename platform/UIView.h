#pragma once

#include "platform/CGGeometry.h"
#include "platform/NSObject.h"
#include "platform/UIAccessibility.h"
#include "platform/UIColor.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIWindow;

enum class UIViewContentMode { ScaleToFill = 0, ScaleAspectFit = 1, ScaleAspectFill = 2, Center = 4 };

// The last animation that changed a view: the renderer plays it over its duration.
struct UIViewAnimation {
    double duration = 0;
    double startTime = 0;
    std::uint64_t serial = 0;
};

// A rectangle on screen with its looks and its subviews, in the UIKit manner:
// the view owns its subviews; the link to the superview is weak.
class UIView : public NSObject {
public:
    OBJC_CLASS_NAME(UIView)

    std::shared_ptr<UIView> initWithFrame(const CGRect& frame);
    std::shared_ptr<UIView> init() { return initWithFrame(CGRectZero); }

    CGRect frame() const { return _frame; }
    virtual void setFrame(const CGRect& frame);
    // The view's own coordinate space: its origin is the scroll offset.
    CGRect bounds() const { return CGRect{_boundsOrigin, _frame.size}; }
    void setBoundsOrigin(CGPoint origin);
    CGPoint center() const;
    void setCenter(CGPoint center);

    double alpha() const { return _alpha; }
    void setAlpha(double alpha);
    bool isHidden() const { return _hidden; }
    void setHidden(bool hidden);
    long tag() const { return _tag; }
    void setTag(long tag) { _tag = tag; }
    bool isOpaque() const { return _opaque; }
    void setOpaque(bool opaque) { _opaque = opaque; }
    bool isUserInteractionEnabled() const { return _userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { _userInteractionEnabled = enabled; }
    UIViewContentMode contentMode() const { return _contentMode; }
    void setContentMode(UIViewContentMode mode) { _contentMode = mode; }

    const std::shared_ptr<UIColor>& backgroundColor() const { return _backgroundColor; }
    void setBackgroundColor(std::shared_ptr<UIColor> color);
    // The view's own tint or, when it has none, its superview's; the system
    // blue at the top.
    std::shared_ptr<UIColor> tintColor() const;
    const std::shared_ptr<UIColor>& ownTintColor() const { return _tintColor; }
    void setTintColor(std::shared_ptr<UIColor> color);

    // What the view is, as a renderer or assistive technology names it
    // ("view", "label", "button", "cell", "table", "alert"...): each class
    // says it of itself.
    virtual const char* viewKind() const { return "view"; }

    // What assistive technology reads for a view that shows no text.
    const std::string& accessibilityLabel() const { return _accessibilityLabel; }
    void setAccessibilityLabel(std::string label) { _accessibilityLabel = std::move(label); }
    // The view's own traits and those the app set on it.
    virtual UIAccessibilityTraits accessibilityTraits() const { return _accessibilityTraits; }
    void setAccessibilityTraits(UIAccessibilityTraits traits) { _accessibilityTraits = traits; }
    // Whether assistive technology stops on this view itself (a label, a
    // control) rather than only on what is inside it.
    virtual bool isAccessibilityElement() const { return _isAccessibilityElement; }
    void setIsAccessibilityElement(bool element) { _isAccessibilityElement = element; }
    // A modal view hides its siblings from assistive technology: whatever is
    // presented over a page sets it.
    bool accessibilityViewIsModal() const { return _accessibilityViewIsModal; }
    void setAccessibilityViewIsModal(bool modal) { _accessibilityViewIsModal = modal; }
    // The subviews in the order a reader meets them: top to bottom, then
    // leading to trailing; views on one line keep their drawing order.
    virtual std::vector<std::shared_ptr<UIView>> subviewsInReadingOrder() const;

    const std::vector<std::shared_ptr<UIView>>& subviews() const { return _subviews; }
    std::shared_ptr<UIView> superview() const { return _superview.lock(); }
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview_atIndex(const std::shared_ptr<UIView>& view, std::size_t index);
    void removeFromSuperview();
    std::shared_ptr<UIView> viewWithTag(long tag);
    std::shared_ptr<UIWindow> window();

    virtual void layoutSubviews() {}
    void setNeedsLayout() { _needsLayout = true; }
    void layoutIfNeeded();

    // The frame in the coordinates of `ancestor` (nullptr: the window).
    CGRect convertRectToAncestor(const CGRect& rect, const UIView* ancestor) const;
    CGPoint convertPointFromWindow(CGPoint point) const;

    // The deepest visible, interactive view under `point` (in this view's bounds).
    std::shared_ptr<UIView> hitTest(CGPoint point);
    virtual bool pointInside(CGPoint point) const;
    // A tap that ended on this view, at `point` in its bounds; true when the
    // view acted on it, else the tap goes on to the superview.
    virtual bool handleTap(CGPoint point);

    // animateWithDuration:animations:completion: sets the final values at
    // once and marks the views it changed, so a renderer can play the change
    // over `duration`. The completion runs on the main run loop when the
    // duration is over; the body and completion keep what they capture until then.
    static void animateWithDuration_animations_completion(double duration, const std::function<void()>& animations,
                                                          std::function<void(bool)> completion);
    const std::optional<UIViewAnimation>& lastAnimation() const { return _lastAnimation; }

protected:
    virtual void didMoveToWindow() {}
    void noteAnimatedChange();

private:
    void setSuperview(const std::shared_ptr<UIView>& superview);
    void notifyMovedToWindow();

    CGRect _frame;
    CGPoint _boundsOrigin;
    double _alpha = 1;
    bool _hidden = false;
    long _tag = 0;
    bool _opaque = false;
    bool _userInteractionEnabled = true;
    bool _needsLayout = true;
    UIViewContentMode _contentMode = UIViewContentMode::ScaleToFill;
    std::shared_ptr<UIColor> _backgroundColor;
    std::shared_ptr<UIColor> _tintColor;
    std::string _accessibilityLabel;
    UIAccessibilityTraits _accessibilityTraits = UIAccessibilityTraitNone;
    bool _isAccessibilityElement = false;
    bool _accessibilityViewIsModal = false;
    std::vector<std::shared_ptr<UIView>> _subviews;
    std::weak_ptr<UIView> _superview; // weak: the superview owns this view
    std::optional<UIViewAnimation> _lastAnimation;
};
