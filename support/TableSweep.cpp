#include "support/TableSweep.h"

#include "platform/UILabel.h"

#include <map>

namespace {

// Less than a screen, so that no row is skipped between two steps.
constexpr CGFloat kStepFraction = 0.75;

} // namespace

std::shared_ptr<UITableView> TableSweep::firstTableIn(const std::shared_ptr<UIView>& view) {
    if (!view) return nullptr;
    if (auto table = std::dynamic_pointer_cast<UITableView>(view)) return table;
    for (const auto& subview : view->subviews()) {
        if (auto table = firstTableIn(subview)) return table;
    }
    return nullptr;
}

std::shared_ptr<UITableView> TableSweep::pageTable(const PanelSession& session) {
    auto page = session.topPage();
    return page ? firstTableIn(page->view()) : nullptr;
}

std::vector<DrawnRow> TableSweep::visibleRows(const UITableView& table) {
    std::vector<DrawnRow> rows;
    for (const auto& cell : table.visibleCells()) {
        auto indexPath = table.indexPathForCell(cell.get());
        if (!indexPath) continue;
        DrawnRow drawn{indexPath->section(), indexPath->row(), "", 0};
        if (cell->textLabel()) drawn.text = cell->textLabel()->text();
        if (cell->accessoryView()) drawn.accessoryTag = cell->accessoryView()->tag();
        rows.push_back(std::move(drawn));
    }
    return rows;
}

std::vector<DrawnRow> TableSweep::drawEveryRow(PanelSession& session) {
    auto table = pageTable(session);
    if (!table) return {};
    session.window()->layoutIfNeeded();
    while (session.scroll(-table->contentSize().height)) {
    }
    std::map<std::pair<long, long>, DrawnRow> seen;
    CGFloat step = table->bounds().height() * kStepFraction;
    do {
        for (auto& drawn : visibleRows(*table)) seen.try_emplace({drawn.section, drawn.row}, std::move(drawn));
    } while (step > 0 && session.scroll(step));
    std::vector<DrawnRow> rows;
    for (auto& [place, drawn] : seen) rows.push_back(std::move(drawn));
    return rows;
}
