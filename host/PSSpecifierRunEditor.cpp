#include "host/PSSpecifierRunEditor.h"

#include <algorithm>

namespace {

bool holdsGroup(const SpecifierList& run) {
    return std::any_of(run.begin(), run.end(), [](const auto& specifier) { return specifier->isGroup(); });
}

UITableViewRowAnimation rowAnimation(bool animated) {
    return animated ? UITableViewRowAnimation::Fade : UITableViewRowAnimation::None;
}

} // namespace

SpecifierList PSSpecifierRunEditor::inserting(const SpecifierList& list, const SpecifierList& run, std::size_t index) {
    SpecifierList updated = list;
    index = std::min(index, updated.size());
    updated.insert(updated.begin() + static_cast<std::ptrdiff_t>(index), run.begin(), run.end());
    return updated;
}

std::optional<SpecifierList> PSSpecifierRunEditor::removing(const SpecifierList& list, const SpecifierList& run) {
    if (run.empty()) return std::nullopt;
    auto first = std::find(list.begin(), list.end(), run.front());
    if (first == list.end()) return std::nullopt;
    SpecifierList updated(list.begin(), first);
    auto rest = first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(run.size(), list.end() - first));
    updated.insert(updated.end(), rest, list.end());
    return updated;
}

void PSSpecifierRunEditor::showInsertion(UITableView& table, const PSSectionModel& after, const SpecifierList& run,
                                         bool animated) {
    if (holdsGroup(run)) {
        table.reloadData();
        return;
    }
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (const auto& specifier : run) rows.push_back(after.indexPathForSpecifier(specifier.get()));
    table.insertRowsAtIndexPaths_withRowAnimation(rows, rowAnimation(animated));
}

void PSSpecifierRunEditor::showRemoval(UITableView& table, const PSSectionModel& before, const SpecifierList& run,
                                       bool animated) {
    if (holdsGroup(run)) {
        table.reloadData();
        return;
    }
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (const auto& specifier : run) {
        if (auto indexPath = before.indexPathForSpecifier(specifier.get())) rows.push_back(indexPath);
    }
    table.deleteRowsAtIndexPaths_withRowAnimation(rows, rowAnimation(animated));
}
