#include "preview/SettingsEntryCell.h"

std::shared_ptr<SettingsEntryCell> SettingsEntryCell::init() {
    initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, kReuseIdentifier);
    _iconView = alloc<UIImageView>()->initWithFrame(CGRectZero);
    _iconView->setContentMode(UIViewContentMode::ScaleAspectFit);
    contentView()->addSubview(_iconView);
    setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
    return self<SettingsEntryCell>();
}

namespace {
// The corner of the phone's 29-point icons.
constexpr CGFloat kIconCornerRadius = 6.5;
} // namespace

void SettingsEntryCell::setIcon(std::shared_ptr<UIImage> icon, Placeholder placeholder) {
    bool showsPlaceholder = !icon && placeholder == Placeholder::RoundedSquare;
    _iconView->setImage(std::move(icon));
    _iconView->setBackgroundColor(showsPlaceholder ? UIColor::lightGrayColor() : nullptr);
    _iconView->setCornerRadius(showsPlaceholder ? kIconCornerRadius : 0);
}

void SettingsEntryCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGFloat height = bounds().height();
    _iconView->setFrame(CGRectMake(kMargin, (height - kIconSize) / 2, kIconSize, kIconSize));
    CGFloat left = _iconView->frame().maxX() + kMargin;
    CGRect title = textLabel()->frame();
    textLabel()->setFrame(CGRectMake(left, title.origin.y, std::max<CGFloat>(0, title.maxX() - left), title.height()));
}
