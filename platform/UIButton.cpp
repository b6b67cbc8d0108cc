#include "platform/UIButton.h"

std::shared_ptr<UIButton> UIButton::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    _titleLabel = alloc<UILabel>()->initWithFrame(CGRect{CGPointMake(0, 0), frame.size});
    _titleLabel->setTextAlignment(NSTextAlignment::Center);
    _titleLabel->setTextColor(nullptr);
    addSubview(_titleLabel);
    return self<UIButton>();
}

void UIButton::setTitle(std::string title) { _titleLabel->setText(std::move(title)); }

void UIButton::setTitleColor(std::shared_ptr<UIColor> color) { _titleLabel->setTextColor(std::move(color)); }

void UIButton::layoutSubviews() { _titleLabel->setFrame(CGRect{CGPointMake(0, 0), frame().size}); }
