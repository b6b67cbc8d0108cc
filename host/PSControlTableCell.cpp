#include "host/PSControlTableCell.h"

#include "platform/ObjCClass.h"
#include "platform/TextMetrics.h"

#include <algorithm>

namespace {
const auto registration = ClassRegistration<PSControlTableCell, PSTableCell>();
// Generous: a title cut short reads worse than a control a little narrower.
constexpr CGFloat kCharacterWidthFactor = 0.62;
constexpr CGFloat kTitleSlack = 8;
constexpr CGFloat kMostTitleShare = 0.45;
} // namespace

void PSControlTableCell::setControl(std::shared_ptr<UIControl> control) {
    if (_control) _control->removeFromSuperview();
    _control = std::move(control);
    if (_control) contentView()->addSubview(_control);
    setNeedsLayout();
}

// The title keeps the width its text needs, up to a share of the row.
void PSControlTableCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    CGRect content = contentView()->bounds();
    const auto& title = titleLabel();
    CGFloat left = kMargin;
    if (!title->text().empty()) {
        CGFloat needed = static_cast<CGFloat>(TextMetrics::characterCount(title->text())) * title->fontSize() *
                             kCharacterWidthFactor + kTitleSlack;
        CGFloat width = std::min(needed, content.width() * kMostTitleShare);
        title->setFrame(CGRectMake(kMargin, 0, width, content.height()));
        left = kMargin + width + kGap;
    }
    _trailingStart = std::max(left, content.width() - kMargin - trailingWidth());
    if (!_control) return;
    CGFloat right = trailingWidth() > 0 ? _trailingStart - kGap : content.width() - kMargin;
    CGFloat height = std::min(_control->frame().height(), content.height());
    _control->setFrame(CGRectMake(left, (content.height() - height) / 2, std::max<CGFloat>(0, right - left), height));
}
