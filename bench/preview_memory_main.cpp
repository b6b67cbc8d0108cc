// The Settings app's resident memory while the panel is used: every page is
// opened and the selection page scrolled from top to bottom, ten times over.
// The app must stay small and must not grow once its first pass has warmed it.

#include "bench/PreviewProcess.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kPasses = 10;
constexpr double kMebibyte = 1024.0 * 1024.0;
constexpr double kLargestResident = 64 * kMebibyte;
constexpr double kLargestGrowth = 1 * kMebibyte;
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

} // namespace

int main() {
    PreviewProcess preview(VIMBLE_PREVIEW_EXECUTABLE);
    if (!preview.running()) {
        std::fprintf(stderr, "error: the Settings app did not start\n");
        return 2;
    }
    std::vector<double> resident;
    for (int pass = 1; pass <= kPasses; ++pass) {
        if (!onePass(preview)) {
            std::fprintf(stderr, "error: pass %d could not open every page\n", pass);
            return 2;
        }
        resident.push_back(static_cast<double>(preview.residentBytes()));
    }
    std::printf("preview server resident memory, after each pass of every page and a full scroll:\n");
    for (std::size_t pass = 0; pass < resident.size(); ++pass) std::printf("  pass %2zu  %7.2f MiB\n", pass + 1, resident[pass] / kMebibyte);
    double last = resident.back();
    double growth = last - resident[1];
    bool small = last < kLargestResident;
    bool steady = growth < kLargestGrowth;
    std::printf("%-50s%11.2f MiB  limit %5.0f MiB  %s\n", "resident after pass 10", last / kMebibyte,
                kLargestResident / kMebibyte, small ? "met" : "MISSED");
    std::printf("%-50s%11.2f MiB  limit %5.0f MiB  %s\n", "growth from pass 2 to pass 10", growth / kMebibyte,
                kLargestGrowth / kMebibyte, steady ? "met" : "MISSED");
    return small && steady ? 0 : 1;
}
