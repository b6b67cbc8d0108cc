// The emoji selection page: one row's cell, a whole scroll through the table,
// and a tap that adds an emoji followed by one that removes it. Every row
// build reads the favourites file and every change writes it, as the page
// does on a phone; these measure what the page adds on top of that file work.

#include "bench/BenchFavorites.h"
#include "platform/RunLoop.h"
#include "platform/ViewQuery.h"
#include "select/VimbleSelectController.h"
#include "shell/VimbleRadioMark.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

constexpr const char* kPageClass = "VimbleSelectController";
constexpr double kPastTitleIconFadeIn = 1.0;

// The selection page open in a window, on a device whose favourites file
// holds `favorites` emoji; closed, with its title-icon timer run, at the end.
class OpenSelectPage {
public:
    explicit OpenSelectPage(int favorites) : _written(BenchFavorites::writeFile(favorites)), _session(kPageClass) {}
    ~OpenSelectPage() { RunLoop::main().advanceBy(kPastTitleIconFadeIn); }

    bool ready() const { return _written && page() && page()->tableView(); }
    PanelSession& session() { return _session; }
    std::shared_ptr<VimbleSelectController> page() const { return _session.topPageAs<VimbleSelectController>(); }
    std::shared_ptr<UITableView> table() const { return page()->tableView(); }

private:
    TemporaryDevice _device;
    bool _written;
    PanelSession _session;
};

std::vector<std::shared_ptr<NSIndexPath>> everyRow(UITableView& table) {
    std::vector<std::shared_ptr<NSIndexPath>> rows;
    for (long section = 0; section < table.numberOfSections(); ++section) {
        for (long row = 0; row < table.numberOfRowsInSection(section); ++row) {
            rows.push_back(NSIndexPath::indexPathForRow_inSection(row, section));
        }
    }
    return rows;
}

std::size_t totalRows(UITableView& table) { return everyRow(table).size(); }

// Whether a built cell is marked as the favourites file says.
bool markedFromFile(const std::shared_ptr<UITableViewCell>& cell, const std::vector<std::string>& favorites) {
    bool chosen = std::find(favorites.begin(), favorites.end(), cell->textLabel()->text()) != favorites.end();
    return VimbleRadioMark::isActive(cell) == chosen;
}

// The rows of all sections in turn, so that the median covers the short
// category lists and the long ones alike.
void BM_SelectCellBuild(benchmark::State& state) {
    OpenSelectPage open(BenchFavorites::kFullCount);
    if (!open.ready()) return state.SkipWithError("selection page did not open");
    auto page = open.page();
    auto table = open.table();
    auto rows = everyRow(*table);
    auto favorites = BenchFavorites::emoji(BenchFavorites::kFullCount);
    // Every row once, checked, before the timed builds.
    for (const auto& row : rows) {
        if (!markedFromFile(page->tableView_cellForRowAtIndexPath(table, row), favorites)) {
            return state.SkipWithError("row marked against the favourites file");
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(page->tableView_cellForRowAtIndexPath(table, rows[next]));
        next = next + 1 == rows.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_SelectCellBuild)->UseRealTime()->Unit(benchmark::kMicrosecond);

// From the top to the bottom a screen at a time, as a finger would flick
// through the table; the jump back to the top builds the first screen again,
// so each pass builds every row exactly once.
void BM_SelectFullScroll(benchmark::State& state) {
    OpenSelectPage open(BenchFavorites::kFullCount);
    if (!open.ready()) return state.SkipWithError("selection page did not open");
    auto table = open.table();
    const std::size_t rows = totalRows(*table);
    const CGFloat screen = table->bounds().height();
    // Every pass, the first too, starts at the bottom where the last one ended.
    table->setContentOffset(CGPointMake(0, table->maximumOffsetY()));
    table->layoutIfNeeded();
    for (auto _ : state) {
        std::size_t builtBefore = table->cellsProvided();
        table->setContentOffset(CGPointMake(0, 0));
        table->layoutIfNeeded();
        while (open.session().scroll(screen)) {
        }
        if (table->cellsProvided() - builtBefore != rows) return state.SkipWithError("a pass did not build every row once");
    }
}
BENCHMARK(BM_SelectFullScroll)->UseRealTime()->Unit(benchmark::kMillisecond);

bool tapRow(PanelSession& session, const std::shared_ptr<UITableViewCell>& cell) {
    return session.tapPoint(ViewQuery::centerInWindow(*cell));
}

// With one favourite short of the limit, so that the first tap adds.
void BM_SelectTap(benchmark::State& state) {
    OpenSelectPage open(BenchFavorites::kFullCount - 1);
    if (!open.ready()) return state.SkipWithError("selection page did not open");
    auto table = open.table();
    auto cell = table->visibleCells().front();
    if (VimbleRadioMark::isActive(cell)) return state.SkipWithError("first row is already a favourite");
    for (auto _ : state) {
        if (!tapRow(open.session(), cell) || !VimbleRadioMark::isActive(cell)) {
            return state.SkipWithError("tap did not add the emoji");
        }
        if (!tapRow(open.session(), cell) || VimbleRadioMark::isActive(cell)) {
            return state.SkipWithError("tap did not remove the emoji");
        }
    }
}
BENCHMARK(BM_SelectTap)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
