#pragma once

#include "platform/UINavigationBar.h"
#include "platform/UIViewController.h"
#include "platform/Value.h"

#include <string>
#include <vector>

class MFMailComposeViewController;

enum class MFMailComposeResult { Cancelled = 0, Saved = 1, Sent = 2, Failed = 3 };

class MFMailComposeViewControllerDelegate {
public:
    virtual ~MFMailComposeViewControllerDelegate() = default;
    virtual void mailComposeController_didFinishWithResult_error(
        const std::shared_ptr<MFMailComposeViewController>& controller, MFMailComposeResult result,
        const Value& error) = 0;
};

// MessageUI's mail composer: a message the user sends or cancels. Either way
// the delegate is told and is the one to dismiss the composer. Sending hands
// the message to the phone's mail service, which keeps it in its outbox.
class MFMailComposeViewController : public UIViewController {
public:
    OBJC_CLASS_NAME(MFMailComposeViewController)

    std::shared_ptr<MFMailComposeViewController> init();

    // Held weakly.
    void setMailComposeDelegate(const std::shared_ptr<MFMailComposeViewControllerDelegate>& delegate) {
        _mailComposeDelegate = delegate;
    }
    std::shared_ptr<MFMailComposeViewControllerDelegate> mailComposeDelegate() const {
        return _mailComposeDelegate.lock();
    }

    const std::string& subject() const { return _subject; }
    void setSubject(const std::string& subject) { _subject = subject; }
    const std::vector<std::string>& toRecipients() const { return _toRecipients; }
    void setToRecipients(const std::vector<std::string>& recipients) { _toRecipients = recipients; }
    const std::string& messageBody() const { return _messageBody; }
    void setMessageBody_isHTML(const std::string& body, bool) { _messageBody = body; }

    void send();
    void cancel();

    void loadView() override;

private:
    void finish(MFMailComposeResult result);

    std::weak_ptr<MFMailComposeViewControllerDelegate> _mailComposeDelegate;
    std::string _subject;
    std::vector<std::string> _toRecipients;
    std::string _messageBody;
    std::shared_ptr<UINavigationItem> _composerItem;
};
