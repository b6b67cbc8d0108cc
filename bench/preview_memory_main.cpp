// The Settings app's resident memory while the panel is used: every page is
// opened and the selection page scrolled from top to bottom, pass after pass.
// The app must stay small and must not grow once it has warmed up.
//
// The first passes grow the heap by less each time: the allocator's free
// lists, the tables' reuse queues and the encoder's buffers reach their
// working size. Only the growth over the last passes, long after that, is
// judged: a leak grows by the same amount every pass, warm-up by less and
// less. See docs/performance.md.

#include "bench/PreviewProcess.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kWarmUpPasses = 15;
constexpr int kJudgedPasses = 15;
constexpr double kKibibyte = 1024.0;
constexpr double kMebibyte = 1024.0 * kKibibyte;
constexpr double kLargestResident = 64 * kMebibyte;
// Over the judged passes: half of what a leak of 50 KiB a pass would add,
// and room for two or three of the allocator's 132 KiB steps of its heap top.
constexpr double kLargestJudgedGrowth = 384 * kKibibyte;
constexpr double kScreenStep = 500; // points, less than the selection table's height
constexpr int kMostScreens = 200;

bool tap(PreviewProcess& preview, const char* text) { return preview.post("tap", {{"text", text}}).status == 200; }
bool back(PreviewProcess& preview) { return preview.post("back", nlohmann::json::object()).status == 200; }

bool scrollToBottom(PreviewProcess& preview) {
    for (int screen = 0; screen < kMostScreens; ++screen) {
        auto answer = preview.post("scroll", {{"dy", kScreenStep}});
        if (answer.status != 200) return false;
        if (answer.json().value("scrolled", true) == false) return true;
    }
    return false;
}

// From the Settings list: the root page, the creators page, the configure
// page and the selection page, scrolled end to end; then back to the list.
bool onePass(PreviewProcess& preview) {
    return tap(preview, "Vimble") && tap(preview, "The Creators") && back(preview) && tap(preview, "Configure") &&
           tap(preview, "Select Emoji") && scrollToBottom(preview) && back(preview) && back(preview) && back(preview);
}

struct Sample {
    double resident = 0;  // all of it
    double anonymous = 0; // heap and stacks: where a leak shows
};

bool report(const char* what, double measured, double limit, const char* unit, double scale) {
    bool met = measured < limit;
    std::printf("%-50s%11.2f %s  limit %5.0f %s  %s\n", what, measured / scale, unit, limit / scale, unit,
                met ? "met" : "MISSED");
    return met;
}

} // namespace

int main() {
    PreviewProcess preview(VIMBLE_PREVIEW_EXECUTABLE);
    if (!preview.running()) {
        std::fprintf(stderr, "error: the Settings app did not start\n");
        return 2;
    }
    std::vector<Sample> samples;
    for (int pass = 1; pass <= kWarmUpPasses + kJudgedPasses; ++pass) {
        if (!onePass(preview)) {
            std::fprintf(stderr, "error: pass %d could not open every page\n", pass);
            return 2;
        }
        samples.push_back({static_cast<double>(preview.residentBytes()), static_cast<double>(preview.residentBytes("RssAnon:"))});
    }
    std::printf("preview server resident memory, after each pass of every page and a full scroll:\n");
    std::printf("  pass   resident   of it heap   heap growth\n");
    for (std::size_t pass = 0; pass < samples.size(); ++pass) {
        double growth = pass ? samples[pass].anonymous - samples[pass - 1].anonymous : 0;
        std::printf("  %4zu %7.2f MiB %8.2f MiB %+9.0f KiB%s\n", pass + 1, samples[pass].resident / kMebibyte,
                    samples[pass].anonymous / kMebibyte, growth / kKibibyte,
                    pass + 1 == kWarmUpPasses ? "   (end of the warm-up)" : "");
    }
    double judgedGrowth = samples.back().anonymous - samples[kWarmUpPasses - 1].anonymous;
    bool small = report("resident after the last pass", samples.back().resident, kLargestResident, "MiB", kMebibyte);
    char judged[64];
    std::snprintf(judged, sizeof judged, "heap growth from pass %d to pass %d", kWarmUpPasses, kWarmUpPasses + kJudgedPasses);
    bool steady = report(judged, judgedGrowth, kLargestJudgedGrowth, "KiB", kKibibyte);
    return small && steady ? 0 : 1;
}
