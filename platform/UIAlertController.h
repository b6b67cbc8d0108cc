#pragma once

#include "platform/UIAlertAction.h"
#include "platform/UIViewController.h"

#include <vector>

enum class UIAlertControllerStyle { ActionSheet = 0, Alert = 1 };

// A modal alert: a title, a message and buttons; any button closes it.
class UIAlertController : public UIViewController {
public:
    OBJC_CLASS_NAME(UIAlertController)

    static std::shared_ptr<UIAlertController> alertControllerWithTitle_message_preferredStyle(
        const std::string& title, const std::string& message, UIAlertControllerStyle style);

    const std::string& message() const { return _message; }
    UIAlertControllerStyle preferredStyle() const { return _preferredStyle; }
    const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return _actions; }
    void addAction(const std::shared_ptr<UIAlertAction>& action) { _actions.push_back(action); }

    void loadView() override;

private:
    void actionTapped(const std::shared_ptr<UIAlertAction>& action);

    std::string _message;
    UIAlertControllerStyle _preferredStyle = UIAlertControllerStyle::Alert;
    std::vector<std::shared_ptr<UIAlertAction>> _actions;
};
