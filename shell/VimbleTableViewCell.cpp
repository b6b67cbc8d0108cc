#include "shell/VimbleTableViewCell.h"

void VimbleTableViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGRect frame = imageView()->frame();
    imageView()->setFrame(CGRectMake(frame.origin.x, frame.origin.y, kImageWidth, frame.height()));
}
