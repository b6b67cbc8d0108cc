#include "tests/support/Marks.h"

#include "platform/UIImageView.h"

std::string markOf(const std::shared_ptr<UITableViewCell>& cell) {
    auto mark = cell ? std::dynamic_pointer_cast<UIImageView>(cell->accessoryView()) : nullptr;
    if (!mark) return "none";
    std::string picture = mark->image() ? mark->image()->path() : "";
    const std::string bundle = "/Library/PreferenceBundles/Vimble.bundle/";
    if (mark->tag() == 222 && picture == bundle + "Radio - Active.png") return "222";
    if (mark->tag() == 111 && picture == bundle + "Radio - InActive.png") return "111";
    return "mixed";
}
