#include "platform/UIAlertController.h"

#include "platform/UIModalSheetView.h"

std::shared_ptr<UIAlertController> UIAlertController::alertControllerWithTitle_message_preferredStyle(
    const std::string& title, const std::string& message, UIAlertControllerStyle style) {
    auto alert = alloc<UIAlertController>();
    alert->init();
    alert->setTitle(title);
    alert->_message = message;
    alert->_preferredStyle = style;
    return alert;
}

void UIAlertController::loadView() {
    using Placement = UIModalSheetView::Placement;
    bool isAlert = _preferredStyle == UIAlertControllerStyle::Alert;
    auto sheet = alloc<UIModalSheetView>()->initWithPlacement(isAlert ? Placement::Centered : Placement::Bottom);
    if (!title().empty()) sheet->addText(title(), 17, /*bold=*/true);
    if (!_message.empty()) sheet->addText(_message, 13, /*bold=*/false);
    std::weak_ptr<UIAlertController> weakSelf = self<UIAlertController>();
    for (const auto& action : _actions) {
        sheet->addButton({action->title(),
                          [weakSelf, action] {
                              if (auto alert = weakSelf.lock()) alert->actionTapped(action);
                          },
                          action->style() == UIAlertActionStyle::Destructive,
                          action->style() == UIAlertActionStyle::Cancel});
    }
    setView(sheet);
}

void UIAlertController::actionTapped(const std::shared_ptr<UIAlertAction>& action) {
    auto keepAlive = self<UIAlertController>();
    dismissViewControllerAnimated_completion(/*animated=*/true, nullptr);
    if (action->handler()) action->handler()(action);
}
