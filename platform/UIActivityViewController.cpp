#include "platform/UIActivityViewController.h"

#include "platform/ActivityMonitor.h"
#include "platform/UIModalSheetView.h"

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

void UIActivityViewController::finish(const std::string& activity) {
    auto keepAlive = self<UIActivityViewController>();
    if (!activity.empty()) ActivityMonitor::shared().record(ActivityKind::Share, activity);
    dismissViewControllerAnimated_completion(/*animated=*/true, nullptr);
}
