#include "platform/UIActivityViewController.h"

#include "platform/ActivityMonitor.h"
#include "platform/UIModalSheetView.h"
#include "platform/UIPasteboard.h"

std::shared_ptr<UIActivityViewController> UIActivityViewController::initWithActivityItems_applicationActivities(
    ValueArray activityItems, ValueArray applicationActivities) {
    init();
    _activityItems = std::move(activityItems);
    _applicationActivities = std::move(applicationActivities);
    return self<UIActivityViewController>();
}

void UIActivityViewController::loadView() {
    auto sheet = alloc<UIModalSheetView>()->initWithPlacement(UIModalSheetView::Placement::Bottom);
    for (const Value& item : _activityItems) {
        if (item.isString()) sheet->addText(item.asString(), 15, /*bold=*/false);
    }
    std::weak_ptr<UIActivityViewController> weakSelf = self<UIActivityViewController>();
    auto finisher = [weakSelf](std::string activity) {
        return [weakSelf, activity] {
            if (auto controller = weakSelf.lock()) controller->finish(activity);
        };
    };
    sheet->addButton({"Copy", finisher("Copy"), /*destructive=*/false, /*bold=*/false});
    sheet->addButton({"Cancel", finisher(""), /*destructive=*/false, /*bold=*/true});
    setView(sheet);
}

// The texts among the items, a line each.
std::string UIActivityViewController::sharedText() const {
    std::string text;
    for (const Value& item : _activityItems) {
        if (!item.isString()) continue;
        text += (text.empty() ? "" : "\n") + item.asString();
    }
    return text;
}

void UIActivityViewController::finish(const std::string& activity) {
    auto keepAlive = self<UIActivityViewController>();
    if (!activity.empty()) ActivityMonitor::shared().record(ActivityKind::Share, activity);
    if (activity == "Copy") UIPasteboard::generalPasteboard()->setString(sharedText());
    dismissViewControllerAnimated_completion(/*animated=*/true, nullptr);
}
