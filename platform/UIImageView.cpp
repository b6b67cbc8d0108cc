#include "platform/UIImageView.h"

std::shared_ptr<UIImageView> UIImageView::initWithImage(std::shared_ptr<UIImage> image) {
    UIView::initWithFrame(image ? CGRect{CGPointMake(0, 0), image->size()} : CGRectZero);
    _image = std::move(image);
    setUserInteractionEnabled(false);
    return self<UIImageView>();
}

std::shared_ptr<UIImageView> UIImageView::initWithFrame(const CGRect& frame) {
    UIView::initWithFrame(frame);
    setUserInteractionEnabled(false);
    return self<UIImageView>();
}
