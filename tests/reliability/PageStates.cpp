#include "tests/reliability/PageStates.h"

#include "configure/VimbleSkintoneCell.h"
#include "platform/ViewQuery.h"

namespace {

std::shared_ptr<VimbleSkintoneCell> findPicker(const std::shared_ptr<UIView>& view) {
    if (auto picker = std::dynamic_pointer_cast<VimbleSkintoneCell>(view)) return picker;
    for (const auto& subview : view->subviews()) {
        if (auto picker = findPicker(subview)) return picker;
    }
    return nullptr;
}

std::shared_ptr<UITableViewCell> toneCell(const UITableView& table, long tone) {
    return table.cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(tone, 0));
}

} // namespace

std::string PageStates::root(const PanelSession& session) {
    auto enable = session.switchOfRow("Enable");
    std::string state = !enable ? "none" : enable->isOn() ? "on" : "off";
    return state + (session.shows("Configure") ? " shown" : " hidden");
}

std::string PageStates::skintoneSwitch(const PanelSession& session) {
    auto control = session.switchOfRow("Set Default Skin Tone");
    return !control ? "none" : control->isOn() ? "on" : "off";
}

std::shared_ptr<UITableView> PageStates::pickerTable(const PanelSession& session) {
    session.window()->layoutIfNeeded();
    auto picker = findPicker(session.topPage()->view());
    return picker ? picker->tableView() : nullptr;
}

std::string PageStates::pickerMarks(const PanelSession& session) {
    auto table = pickerTable(session);
    if (!table) return "no picker";
    std::string text;
    for (long tone = 0; tone < VimbleSkintoneCell::kToneCount; ++tone) {
        auto cell = toneCell(*table, tone);
        auto mark = cell ? cell->accessoryView() : nullptr;
        text += (tone ? " " : "") + (mark ? std::to_string(mark->tag()) : std::string("none"));
    }
    return text;
}

bool PageStates::tapTone(PanelSession& session, long tone) {
    auto table = pickerTable(session);
    auto cell = table ? toneCell(*table, tone) : nullptr;
    return cell && session.tapPoint(ViewQuery::centerInWindow(*cell));
}

std::string PageStates::chosen(const std::vector<DrawnRow>& rows) {
    std::string text;
    for (const auto& row : rows) {
        if (row.accessoryTag == kChosenTag) text += " " + row.text;
    }
    return text;
}

std::string PageStates::titles(const std::vector<DrawnRow>& rows) {
    std::string text;
    for (const auto& row : rows) text += (text.empty() ? "" : "|") + row.text;
    return text;
}
