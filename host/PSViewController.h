#pragma once

#include "host/PSSpecifier.h"
#include "platform/UIViewController.h"

// A page of the Preferences host: it knows the specifier that opened it and
// the page it was opened from.
class PSViewController : public UIViewController {
public:
    OBJC_CLASS_NAME(PSViewController)

    std::shared_ptr<PSViewController> init();

    const std::shared_ptr<PSSpecifier>& specifier() const { return _specifier; }
    virtual void setSpecifier(std::shared_ptr<PSSpecifier> specifier) { _specifier = std::move(specifier); }
    // Weak: the navigation stack owns the pages.
    std::shared_ptr<PSViewController> parentController() const { return _parentController.lock(); }
    void setParentController(const std::shared_ptr<PSViewController>& parent) { _parentController = parent; }

private:
    std::shared_ptr<PSSpecifier> _specifier;
    std::weak_ptr<PSViewController> _parentController;
};
