#pragma once

#include "platform/UIViewController.h"
#include "preview/SettingsEntry.h"

// The page the Settings app pushes when a bundle cannot be opened: which
// bundle, and what failed, in words a developer can act on.
class BundleErrorController : public UIViewController {
public:
    OBJC_CLASS_NAME(BundleErrorController)

    std::shared_ptr<BundleErrorController> initWithEntry_message(const SettingsEntry& entry, std::string message);
    // `name` is the row's label, `source` the line saying which files are at fault.
    std::shared_ptr<BundleErrorController> initWithName_message_source(std::string name, std::string message,
                                                                     std::string source);

    const std::string& message() const { return _message; }

    void loadView() override;

private:
    std::string _name;
    std::string _message;
    std::string _source;
};
