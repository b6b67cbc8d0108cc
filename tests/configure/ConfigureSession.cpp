#include "tests/configure/ConfigureSession.h"

#include "platform/UIImageView.h"
#include "platform/ViewQuery.h"

namespace {

std::shared_ptr<VimbleSkintoneCell> findPicker(const std::shared_ptr<UIView>& root) {
    if (auto picker = std::dynamic_pointer_cast<VimbleSkintoneCell>(root)) return picker;
    for (const auto& subview : root->subviews()) {
        if (auto picker = findPicker(subview)) return picker;
    }
    return nullptr;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string markOf(const std::shared_ptr<UITableViewCell>& cell) {
    auto mark = cell ? std::dynamic_pointer_cast<UIImageView>(cell->accessoryView()) : nullptr;
    if (!mark) return "none";
    std::string picture = mark->image() ? mark->image()->path() : "";
    if (mark->tag() == 222 && endsWith(picture, "/Radio - Active.png")) return "222";
    if (mark->tag() == 111 && endsWith(picture, "/Radio - InActive.png")) return "111";
    return "mixed";
}

} // namespace

ConfigureSession::ConfigureSession() : _session("VimbleConfigureController") {}

std::shared_ptr<VimbleConfigureController> ConfigureSession::page() const {
    return _session.topPageAs<VimbleConfigureController>();
}

std::shared_ptr<VimbleSkintoneCell> ConfigureSession::picker() const {
    _session.window()->layoutIfNeeded();
    return findPicker(page()->table());
}

std::string ConfigureSession::marks() const {
    auto table = picker()->tableView();
    std::string text;
    for (long row = 0; row < 6; ++row) {
        if (row > 0) text += " ";
        text += markOf(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, 0)));
    }
    return text;
}

bool ConfigureSession::tapTone(long tone) {
    auto cell = picker()->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(tone, 0));
    return cell && _session.tapPoint(ViewQuery::centerInWindow(*cell));
}
