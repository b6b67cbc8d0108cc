#pragma once

#include "platform/NSObject.h"

#include <functional>
#include <memory>
#include <string>

class UIAlertAction;

enum class UIAlertActionStyle { Default = 0, Cancel = 1, Destructive = 2 };

// A button of an alert; the handler, if any, runs after the alert is gone.
class UIAlertAction : public NSObject {
public:
    OBJC_CLASS_NAME(UIAlertAction)

    using Handler = std::function<void(const std::shared_ptr<UIAlertAction>&)>;

    static std::shared_ptr<UIAlertAction> actionWithTitle_style_handler(const std::string& title, UIAlertActionStyle style,
                                                                        Handler handler);

    const std::string& title() const { return _title; }
    UIAlertActionStyle style() const { return _style; }
    const Handler& handler() const { return _handler; }

private:
    std::string _title;
    UIAlertActionStyle _style = UIAlertActionStyle::Default;
    Handler _handler;
};
