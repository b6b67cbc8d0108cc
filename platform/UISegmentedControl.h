#pragma once

#include "platform/UIControl.h"
#include "platform/UILabel.h"

#include <string>
#include <vector>

// A row of equal segments, one of them chosen. Each segment is a label
// across its share of the width; the chosen one is filled with the tint.
// A tap on another segment chooses it and sends ValueChanged.
class UISegmentedControl : public UIControl {
public:
    OBJC_CLASS_NAME(UISegmentedControl)
    const char* viewKind() const override { return "segments"; }

    static constexpr CGFloat kHeight = 29;
    static constexpr long kNoSegment = -1;

    std::shared_ptr<UISegmentedControl> initWithItems(const std::vector<std::string>& titles);

    long numberOfSegments() const { return static_cast<long>(_segments.size()); }
    std::string titleForSegmentAtIndex(long index) const;
    long selectedSegmentIndex() const { return _selectedSegmentIndex; }
    // An index past the segments chooses none.
    void setSelectedSegmentIndex(long index);

    void layoutSubviews() override;
    bool handleTap(CGPoint point) override;

private:
    void showSelection();

    std::vector<std::shared_ptr<UILabel>> _segments;
    long _selectedSegmentIndex = kNoSegment;
};
