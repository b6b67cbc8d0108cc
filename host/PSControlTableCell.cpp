#include "host/PSControlTableCell.h"

#include "platform/ObjCClass.h"
#include <algorithm>
#include <limits>

namespace {
const auto registration = ClassRegistration<PSControlTableCell, PSTableCell>();
// Generous: a title cut short reads worse than a control a little narrower.
constexpr CGFloat kTitleGenerosity = 1.17;
constexpr CGFloat kTitleSlack = 8;
constexpr CGFloat kMostTitleShare = 0.45;
} // namespace

void PSControlTableCell::setControl(std::shared_ptr<UIControl> control) {
    if (_control) _control->removeFromSuperview();
    _control = std::move(control);
    if (_control) contentView()->addSubview(_control);
    if (_control) _control->setEnabled(cellEnabled());
    setNeedsLayout();
}

void PSControlTableCell::setCellEnabled(bool enabled) {
    PSTableCell::setCellEnabled(enabled);
    if (_control) _control->setEnabled(enabled);
}

// The title keeps the width its text needs, up to a share of the row.
void PSControlTableCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    CGRect content = contentView()->bounds();
    const auto& title = titleLabel();
    CGFloat left = kMargin;
    title->setHidden(!showsTitle());
    if (showsTitle() && !title->text().empty()) {
        CGSize text = title->sizeThatFits(CGSizeMake(std::numeric_limits<CGFloat>::infinity(), 0));
        CGFloat needed = text.width * kTitleGenerosity + kTitleSlack;
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
