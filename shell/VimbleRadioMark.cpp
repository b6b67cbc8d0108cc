#include "shell/VimbleRadioMark.h"

#include "shell/VimbleFiles.h"

std::shared_ptr<UIImage> VimbleRadioMark::imageFor(State state) {
    const char* format = state == State::Active ? kActiveImageFormat : kInactiveImageFormat;
    return UIImage::imageWithContentsOfFile(VimbleFiles::imagePath(format));
}

std::shared_ptr<UIImageView> VimbleRadioMark::makeView(State state) {
    auto view = alloc<UIImageView>()->initWithImage(imageFor(state));
    view->setContentMode(UIViewContentMode::ScaleAspectFit);
    CGPoint origin = view->frame().origin;
    view->setFrame(CGRectMake(origin.x, origin.y, kSide, kSide));
    return view;
}

std::shared_ptr<UIImageView> VimbleRadioMark::install(const std::shared_ptr<UITableViewCell>& cell, State state) {
    auto mark = makeView(state);
    if (!cell) return mark;
    cell->setAccessoryView(mark);
    mark->setTag(tagFor(state));
    cell->setAccessibilityTraits(rowTraitsFor(state));
    return mark;
}

bool VimbleRadioMark::isActive(const std::shared_ptr<UITableViewCell>& cell) {
    return cell && cell->accessoryView() && cell->accessoryView()->tag() == kActiveTag;
}
