#pragma once

#include "platform/UIImage.h"
#include "platform/UIView.h"

class UIImageView : public UIView {
public:
    OBJC_CLASS_NAME(UIImageView)
    const char* viewKind() const override { return "image"; }
    UIAccessibilityTraits accessibilityTraits() const override { return UIView::accessibilityTraits() | UIAccessibilityTraitImage; }

    // A view of the image's own size at the origin; an empty one for no image.
    std::shared_ptr<UIImageView> initWithImage(std::shared_ptr<UIImage> image);
    std::shared_ptr<UIImageView> initWithFrame(const CGRect& frame);

    const std::shared_ptr<UIImage>& image() const { return _image; }
    void setImage(std::shared_ptr<UIImage> image) { _image = std::move(image); }

private:
    std::shared_ptr<UIImage> _image;
};
