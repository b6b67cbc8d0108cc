#pragma once

#include "platform/UIViewController.h"
#include "preview/SettingsEntry.h"

// The page the Settings app pushes when a bundle cannot be opened: which
// bundle, and what failed, in words a developer can act on.
class BundleErrorController : public UIViewController {
public:
    OBJC_CLASS_NAME(BundleErrorController)

    std::shared_ptr<BundleErrorController> initWithEntry_message(const SettingsEntry& entry, std::string message);

    const std::string& message() const { return _message; }
    const SettingsEntry& entry() const { return _entry; }

    void loadView() override;

private:
    SettingsEntry _entry;
    std::string _message;
};
