#include "platform/MFMailComposeViewController.h"

#include "platform/ActivityMonitor.h"
#include "platform/UILabel.h"
#include "platform/UINavigationController.h"

namespace {

constexpr CGFloat kFieldHeight = 44;
constexpr CGFloat kMargin = 15;

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

// The composer's view: its own bar with Cancel and Send over the message fields.
class MailComposeView : public UIView {
public:
    OBJC_CLASS_NAME(MFMailComposeView)

    std::shared_ptr<UINavigationBar> bar;
    std::vector<std::shared_ptr<UILabel>> fields;

    void layoutSubviews() override {
        CGFloat width = frame().width();
        bar->setFrame(CGRectMake(0, UINavigationController::kStatusBarHeight, width, UINavigationBar::kHeight));
        CGFloat y = bar->frame().maxY();
        for (const auto& field : fields) {
            CGFloat height = field->numberOfLines() == 1 ? kFieldHeight : frame().height() - y;
            field->setFrame(CGRectMake(kMargin, y, width - 2 * kMargin, height));
            y += height;
        }
    }
};

std::shared_ptr<UILabel> makeField(const std::string& text, int lines) {
    auto label = alloc<UILabel>()->initWithFrame(CGRectZero);
    label->setText(text);
    label->setFontSize(15);
    label->setNumberOfLines(lines);
    return label;
}

} // namespace

std::shared_ptr<MFMailComposeViewController> MFMailComposeViewController::init() {
    UIViewController::init();
    return self<MFMailComposeViewController>();
}

void MFMailComposeViewController::loadView() {
    auto view = alloc<MailComposeView>();
    view->initWithFrame(CGRectZero);
    view->setBackgroundColor(UIColor::whiteColor());
    view->setAccessibilityLabel(_subject.empty() ? "New Message" : _subject);
    auto item = alloc<UINavigationItem>();
    item->setTitle(_subject.empty() ? "New Message" : _subject);
    auto target = self<MFMailComposeViewController>();
    item->setLeftBarButtonItem(alloc<UIBarButtonItem>()->initWithBarButtonSystemItem_target_action(
        UIBarButtonSystemItem::Cancel, target, Selector::of<&MFMailComposeViewController::cancel>("cancel")));
    item->setRightBarButtonItem(alloc<UIBarButtonItem>()->initWithTitle_style_target_action(
        "Send", UIBarButtonItemStyle::Done, target, Selector::of<&MFMailComposeViewController::send>("send")));
    _composerItem = item;
    view->bar = alloc<UINavigationBar>()->initWithFrame(CGRectZero);
    view->bar->setItems({item});
    view->addSubview(view->bar);
    for (auto field : {makeField("To: " + joined(_toRecipients), 1), makeField("Subject: " + _subject, 1),
                       makeField(_messageBody, 0)}) {
        view->fields.push_back(field);
        view->addSubview(field);
    }
    setView(view);
}

void MFMailComposeViewController::send() {
    ActivityMonitor::shared().record(ActivityKind::Mail, "to " + joined(_toRecipients) + ": " + _subject);
    finish(MFMailComposeResult::Sent);
}

void MFMailComposeViewController::cancel() { finish(MFMailComposeResult::Cancelled); }

void MFMailComposeViewController::finish(MFMailComposeResult result) {
    auto keepAlive = self<MFMailComposeViewController>();
    if (auto delegate = mailComposeDelegate()) {
        delegate->mailComposeController_didFinishWithResult_error(keepAlive, result, Value());
    }
}
