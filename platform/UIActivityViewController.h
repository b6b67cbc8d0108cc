#pragma once

#include "platform/UIViewController.h"
#include "platform/Value.h"

#include <vector>

// The system share sheet for a list of items (texts here). It offers the
// system's own activities, of which the phone simulated here has one: Copy,
// which puts the shared texts on the general pasteboard.
class UIActivityViewController : public UIViewController {
public:
    OBJC_CLASS_NAME(UIActivityViewController)

    std::shared_ptr<UIActivityViewController> initWithActivityItems_applicationActivities(
        ValueArray activityItems, ValueArray applicationActivities);

    const ValueArray& activityItems() const { return _activityItems; }
    const ValueArray& applicationActivities() const { return _applicationActivities; }

    void loadView() override;

private:
    void finish(const std::string& activity);
    std::string sharedText() const;

    ValueArray _activityItems;
    ValueArray _applicationActivities;
};
