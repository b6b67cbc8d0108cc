#include "preview/SettingsEntryCell.h"

std::shared_ptr<SettingsEntryCell> SettingsEntryCell::init() {
    initWithStyle_reuseIdentifier(UITableViewCellStyle::Default, kReuseIdentifier);
    _iconView = alloc<UIImageView>()->initWithFrame(CGRectZero);
    _iconView->setContentMode(UIViewContentMode::ScaleAspectFit);
    contentView()->addSubview(_iconView);
    setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
    return self<SettingsEntryCell>();
}

void SettingsEntryCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGFloat height = bounds().height();
    _iconView->setFrame(CGRectMake(kMargin, (height - kIconSize) / 2, kIconSize, kIconSize));
    CGFloat left = _iconView->frame().maxX() + kMargin;
    CGRect title = textLabel()->frame();
    textLabel()->setFrame(CGRectMake(left, title.origin.y, std::max<CGFloat>(0, title.maxX() - left), title.height()));
}
