#pragma once

#include "host/PSListController.h"
#include "shell/VimblePageAppearance.h"

// The creators page: one credit group per person or studio, each drawn by a
// VimbleDeveloperCell under the group's title, then space and the plea. The
// "Website" button opens the maker's site.
class VimbleCreatorsController : public VimblePageAppearance<PSListController> {
public:
    OBJC_CLASS_NAME(VimbleCreatorsController)

    std::shared_ptr<const SpecifierList> specifiers() override;
    void viewDidLoad() override;

    // The "Website" button's action.
    void website();
};
