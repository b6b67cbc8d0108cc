// The Settings app left running and used for a long time: what a tap and a
// scroll cost on a fresh app and after 10,000 taps that write the favourites
// file, the CPU it takes while nobody does anything, its resident memory
// across the taps, and a tap answered while 64 tabs follow the app.
//   vimble_preview_long_run [APP]   APP: another build of the app to measure

#include "bench/PreviewProcess.h"
#include "bench/WaitingTabs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kHistoryTaps = 10'000;
constexpr int kSamples = 200;
constexpr int kWarmUp = 50;
constexpr double kIdleSeconds = 5;
constexpr std::size_t kTabs = 64;
constexpr int kTabSamples = 100;
constexpr auto kBetweenTabTaps = std::chrono::milliseconds(20);
constexpr auto kTabsSettle = std::chrono::seconds(1);
constexpr double kScrollDistance = 300;
constexpr double kMebibyte = 1024.0 * 1024.0;

constexpr double kLargestSlowdown = 1.2;
constexpr double kLargestIdlePercent = 0.2;
constexpr double kLargestGrowth = 4 * kMebibyte;
constexpr double kSlowestTabTapMilliseconds = 50;

constexpr const char* kWayToSelectionPage[] = {"Vimble", "Configure", "Select Emoji"};
// The index titles at the trailing edge: "A" leads to "Animals & Nature", "S"
// to "Smileys & People"; each jump builds a screen of rows and writes nothing.
constexpr const char* kIndexTitles[] = {"A", "S"};

double milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile95(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
}

// Round-trip times of `count` calls of `action`, in milliseconds; empty when one failed.
std::vector<double> timed(int count, const std::function<bool(int)>& action) {
    std::vector<double> times;
    for (int call = 0; call < count; ++call) {
        auto start = Clock::now();
        if (!action(call)) return {};
        times.push_back(milliseconds(Clock::now() - start));
    }
    return times;
}

bool indexTap(PreviewProcess& preview, int call) {
    return preview.post("tap", {{"text", kIndexTitles[call % 2]}}).status == 200;
}

bool scrollStep(PreviewProcess& preview, int call) {
    return preview.post("scroll", {{"dy", call % 2 == 0 ? kScrollDistance : -kScrollDistance}}).status == 200;
}

std::string firstText(const nlohmann::json& node) {
    if (node.contains("text") && !node["text"].get<std::string>().empty()) return node["text"];
    for (const auto& child : node.value("children", nlohmann::json::array())) {
        if (auto found = firstText(child); !found.empty()) return found;
    }
    return {};
}

// The text of the first table row on screen: an emoji on the selection page.
std::string firstRowText(const nlohmann::json& node) {
    if (node.contains("selected")) return firstText(node);
    for (const auto& child : node.value("children", nlohmann::json::array())) {
        if (auto found = firstRowText(child); !found.empty()) return found;
    }
    return {};
}

double idlePercent(const PreviewProcess& preview) {
    double before = preview.cpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(kIdleSeconds));
    return (preview.cpuSeconds() - before) / kIdleSeconds * 100;
}

struct Figures {
    double tap = 0;
    double scroll = 0;
    double idle = 0;
    double resident = 0;
};

bool measure(PreviewProcess& preview, Figures& figures) {
    figures.idle = idlePercent(preview);
    auto taps = timed(kSamples, [&](int call) { return indexTap(preview, call); });
    auto scrolls = timed(kSamples, [&](int call) { return scrollStep(preview, call); });
    if (taps.empty() || scrolls.empty()) return false;
    figures.tap = median(taps);
    figures.scroll = median(scrolls);
    figures.resident = static_cast<double>(preview.residentBytes());
    return true;
}

bool report(const char* what, double measured, const char* unit, double limit) {
    bool met = measured <= limit;
    std::printf("%-52s%10.2f %-4s limit %7.2f %-4s %s\n", what, measured, unit, limit, unit, met ? "met" : "MISSED");
    return met;
}

int fail(const char* message) {
    std::fprintf(stderr, "error: %s\n", message);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    PreviewProcess preview(argc > 1 ? argv[1] : VIMBLE_PREVIEW_EXECUTABLE);
    if (!preview.running()) return fail("the Settings app did not start");
    for (const char* text : kWayToSelectionPage) {
        if (preview.post("tap", {{"text", text}}).status != 200) return fail("the selection page did not open");
    }
    if (timed(kWarmUp, [&](int call) { return indexTap(preview, call); }).empty()) return fail("a tap failed");

    Figures fresh;
    if (!measure(preview, fresh)) return fail("a tap or a scroll failed on the fresh app");
    // The history is written on the first row of "Smileys & People".
    if (!indexTap(preview, 1)) return fail("a tap failed");
    std::string emoji = firstRowText(preview.get("/api/tree").json()["window"]);
    if (emoji.empty()) return fail("no row on the selection page");
    auto historyStart = Clock::now();
    auto writes = timed(kHistoryTaps, [&](int) {
        return preview.post("tap", {{"text", emoji}}).status == 200;
    });
    if (writes.empty()) return fail("a writing tap failed");
    double historySeconds = milliseconds(Clock::now() - historyStart) / 1000;
    Figures used;
    if (!measure(preview, used)) return fail("a tap or a scroll failed after the history");

    std::printf("the Settings app left running (%d writing taps in %.1f s, median %.3f ms each)\n", kHistoryTaps,
                historySeconds, median(writes));
    std::printf("%-28s%14s%14s%10s\n", "", "fresh", "after taps", "ratio");
    std::printf("%-28s%11.3f ms%11.3f ms%9.2f x\n", "index tap (median)", fresh.tap, used.tap, used.tap / fresh.tap);
    std::printf("%-28s%11.3f ms%11.3f ms%9.2f x\n", "scroll (median)", fresh.scroll, used.scroll, used.scroll / fresh.scroll);
    std::printf("%-28s%12.3f %%%12.3f %%\n", "idle CPU over 5 s", fresh.idle, used.idle);
    double firstWrites = median({writes.begin(), writes.begin() + kSamples});
    double lastWrites = median({writes.end() - kSamples, writes.end()});
    std::printf("%-28s%11.3f ms%11.3f ms%9.2f x\n", "writing tap (first / last 200)", firstWrites, lastWrites,
                lastWrites / firstWrites);
    std::printf("%-28s%10.2f MiB%10.2f MiB\n", "resident memory", fresh.resident / kMebibyte, used.resident / kMebibyte);
    std::fflush(stdout);
    std::vector<double> tabTaps;
    std::size_t tabAnswers = 0;
    std::size_t busyAnswers = 0;
    {
        WaitingTabs tabs(preview.port(), kTabs);
        std::this_thread::sleep_for(kTabsSettle);
        tabTaps = timed(kTabSamples, [&](int call) {
            std::this_thread::sleep_for(kBetweenTabTaps);
            return indexTap(preview, call);
        });
        tabAnswers = tabs.answers();
        busyAnswers = tabs.busyAnswers();
    }
    if (tabTaps.empty()) return fail("a tap went unanswered while the tabs followed the app");

    std::printf("tap with %zu tabs following: median %.3f ms, 95th percentile %.3f ms, slowest %.3f ms; "
                "%zu answers to the tabs, %zu of them busy\n",
                kTabs, median(tabTaps), percentile95(tabTaps), *std::max_element(tabTaps.begin(), tabTaps.end()),
                tabAnswers, busyAnswers);
    bool met = report("index tap after / fresh", used.tap / fresh.tap, "x", kLargestSlowdown);
    met = report("scroll after / fresh", used.scroll / fresh.scroll, "x", kLargestSlowdown) && met;
    met = report("idle CPU after the taps", used.idle, "%", kLargestIdlePercent) && met;
    met = report("resident growth over the taps", (used.resident - fresh.resident) / kMebibyte, "MiB",
                 kLargestGrowth / kMebibyte) && met;
    met = report("tap with 64 tabs following (95th percentile)", percentile95(tabTaps), "ms",
                 kSlowestTabTapMilliseconds) && met;
    return met ? 0 : 1;
}
