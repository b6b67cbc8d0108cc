#pragma once

#include "host/PSSectionModel.h"
#include "host/PSSpecifier.h"
#include "platform/UITableView.h"

#include <cstddef>
#include <optional>

// Inserting and removing a contiguous run of specifiers, as
// insertContiguousSpecifiers:atIndex:animated: and
// removeContiguousSpecifiers:animated: do: the new list, then the table told
// which rows came or went (a run holding a group reloads the whole table,
// since sections change).
class PSSpecifierRunEditor {
public:
    // `list` with `run` before position `index` (at the end when past it).
    static SpecifierList inserting(const SpecifierList& list, const SpecifierList& run, std::size_t index);
    // `list` without `run`, found by its first record; nothing when the run is
    // empty or its first record is not in the list.
    static std::optional<SpecifierList> removing(const SpecifierList& list, const SpecifierList& run);

    // `after` is the model that holds the inserted run.
    static void showInsertion(UITableView& table, const PSSectionModel& after, const SpecifierList& run, bool animated);
    // `before` is the model that still holds the removed run.
    static void showRemoval(UITableView& table, const PSSectionModel& before, const SpecifierList& run, bool animated);
};
