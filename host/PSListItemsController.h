#pragma once

#include "host/PSListController.h"

// The page a list link opens: one row per title of the link's `validTitles`,
// the row of the stored value ticked. Choosing a row stores the value at the
// same place in `validValues` through the page the link is on.
class PSListItemsController : public PSListController {
public:
    OBJC_CLASS_NAME(PSListItemsController)

    std::shared_ptr<PSListItemsController> init();

    // The page is titled after the link that opened it.
    void setSpecifier(std::shared_ptr<PSSpecifier> specifier) override;
    std::shared_ptr<const SpecifierList> specifiers() override;

    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

private:
    std::shared_ptr<PSListController> linkPage() const;
    // The value a choice row stands for.
    Value valueOf(const PSSpecifier& choice) const;
};
