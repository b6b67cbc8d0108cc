#include "platform/UITableViewIndex.h"

#include "platform/UILabel.h"

#include <algorithm>

namespace {
constexpr CGFloat kTitleHeight = 16;
}

std::shared_ptr<UITableViewIndex> UITableViewIndex::initWithTitles(const std::vector<std::string>& titles,
                                                                   std::function<void(std::size_t)> onSelect) {
    initWithFrame(CGRectZero);
    setAccessibilityLabel("Section index");
    _titles = titles;
    _onSelect = std::move(onSelect);
    for (const auto& title : _titles) {
        auto label = alloc<UILabel>()->initWithFrame(CGRectZero);
        label->setText(title);
        label->setFontSize(11);
        label->setBold(true);
        label->setTextAlignment(NSTextAlignment::Center);
        label->setTextColor(nullptr);
        // Each title jumps to its section when tapped.
        label->setAccessibilityTraits(UIAccessibilityTraitButton);
        addSubview(label);
    }
    return self<UITableViewIndex>();
}

CGFloat UITableViewIndex::titleHeight() const {
    return _titles.empty() ? kTitleHeight : std::min(kTitleHeight, frame().height() / _titles.size());
}

void UITableViewIndex::layoutSubviews() {
    CGFloat height = titleHeight();
    CGFloat top = (frame().height() - height * _titles.size()) / 2;
    for (std::size_t position = 0; position < subviews().size(); ++position) {
        subviews()[position]->setFrame(CGRectMake(0, top + position * height, frame().width(), height));
    }
}

// Labels do not take touches, so every tap on the strip lands here.
bool UITableViewIndex::handleTap(CGPoint point) {
    for (std::size_t position = 0; position < subviews().size(); ++position) {
        CGRect titleFrame = subviews()[position]->frame();
        if (point.y >= titleFrame.minY() && point.y < titleFrame.maxY()) {
            if (_onSelect) _onSelect(position);
            return true;
        }
    }
    return true;
}
