#include "platform/UISegmentedControl.h"

#include <cmath>

std::shared_ptr<UISegmentedControl> UISegmentedControl::initWithItems(const std::vector<std::string>& titles) {
    UIView::initWithFrame(CGRectMake(0, 0, 0, kHeight));
    for (const auto& title : titles) {
        auto segment = alloc<UILabel>()->initWithFrame(CGRectZero);
        segment->setText(title);
        segment->setFontSize(13);
        segment->setTextAlignment(NSTextAlignment::Center);
        _segments.push_back(segment);
        addSubview(segment);
    }
    showSelection();
    return self<UISegmentedControl>();
}

std::string UISegmentedControl::titleForSegmentAtIndex(long index) const {
    if (index < 0 || index >= numberOfSegments()) return {};
    return _segments[static_cast<std::size_t>(index)]->text();
}

void UISegmentedControl::setSelectedSegmentIndex(long index) {
    _selectedSegmentIndex = index >= 0 && index < numberOfSegments() ? index : kNoSegment;
    showSelection();
}

// The chosen segment: white on the tint; the others: the tint on white.
void UISegmentedControl::showSelection() {
    for (long index = 0; index < numberOfSegments(); ++index) {
        const auto& segment = _segments[static_cast<std::size_t>(index)];
        bool chosen = index == _selectedSegmentIndex;
        segment->setTextColor(chosen ? UIColor::whiteColor() : nullptr);
        segment->setBackgroundColor(chosen ? tintColor() : UIColor::whiteColor());
        segment->setAccessibilityTraits(UIAccessibilityTraitButton | (chosen ? UIAccessibilityTraitSelected : 0));
    }
}

void UISegmentedControl::layoutSubviews() {
    if (_segments.empty()) return;
    CGFloat width = bounds().width() / static_cast<CGFloat>(_segments.size());
    for (std::size_t index = 0; index < _segments.size(); ++index) {
        _segments[index]->setFrame(CGRectMake(width * static_cast<CGFloat>(index), 0, width, bounds().height()));
    }
    showSelection();
}

bool UISegmentedControl::handleTap(CGPoint point) {
    if (!isEnabled() || _segments.empty() || bounds().width() <= 0) return true;
    auto index = static_cast<long>(std::floor(point.x / (bounds().width() / static_cast<CGFloat>(_segments.size()))));
    if (index < 0 || index >= numberOfSegments() || index == _selectedSegmentIndex) return true;
    setSelectedSegmentIndex(index);
    sendActionsForControlEvents(UIControlEvents::ValueChanged);
    return true;
}
