#pragma once

#include "platform/UIView.h"

#include <functional>
#include <string>
#include <vector>

// The strip of section index titles at a table's trailing edge. A tap on a
// title reports its position.
class UITableViewIndex : public UIView {
public:
    OBJC_CLASS_NAME(UITableViewIndex)
    const char* viewKind() const override { return "index"; }

    std::shared_ptr<UITableViewIndex> initWithTitles(const std::vector<std::string>& titles,
                                                     std::function<void(std::size_t)> onSelect);
    const std::vector<std::string>& titles() const { return _titles; }

    void layoutSubviews() override;
    bool handleTap(CGPoint point) override;

private:
    CGFloat titleHeight() const;

    std::vector<std::string> _titles;
    std::function<void(std::size_t)> _onSelect;
};
