#include "preview/BundleErrorController.h"

#include "platform/UILabel.h"
#include "platform/UIScreen.h"

#include <limits>
#include <vector>

namespace {

constexpr CGFloat kMargin = 20;
constexpr CGFloat kTop = 40;
constexpr CGFloat kGap = 12;

// Stacks its labels from the top, each as tall as its text needs at the
// page's width, so the page reads right in both orientations.
class ErrorPageView : public UIView {
public:
    OBJC_CLASS_NAME(BundleErrorView)

    std::vector<std::shared_ptr<UILabel>> labels;

    void layoutSubviews() override {
        CGFloat width = frame().width() - 2 * kMargin;
        CGFloat y = kTop;
        for (const auto& label : labels) {
            CGFloat height = label->sizeThatFits(CGSizeMake(width, std::numeric_limits<CGFloat>::infinity())).height;
            label->setFrame(CGRectMake(kMargin, y, width, height));
            y += height + kGap;
        }
    }
};

std::shared_ptr<UILabel> makeLabel(const std::string& text, double fontSize, bool bold,
                                   std::shared_ptr<UIColor> color) {
    auto label = alloc<UILabel>()->initWithFrame(CGRectZero);
    label->setText(text);
    label->setFontSize(fontSize);
    label->setBold(bold);
    label->setNumberOfLines(0);
    label->setTextAlignment(NSTextAlignment::Center);
    label->setTextColor(std::move(color));
    return label;
}

} // namespace

std::shared_ptr<BundleErrorController> BundleErrorController::initWithEntry_message(const SettingsEntry& entry,
                                                                                    std::string message) {
    UIViewController::init();
    _entry = entry;
    _message = std::move(message);
    return self<BundleErrorController>();
}

void BundleErrorController::loadView() {
    auto page = alloc<ErrorPageView>();
    page->initWithFrame(UIScreen::mainScreen()->bounds());
    page->setBackgroundColor(UIColor::groupTableViewBackgroundColor());
    auto grey = UIColor::colorWithRed_green_blue_alpha(0.43, 0.43, 0.45, 1);
    page->labels = {
        makeLabel("\u201C" + _entry.label + "\u201D could not be opened", 20, /*bold=*/true, UIColor::blackColor()),
        makeLabel(_message, 15, /*bold=*/false, UIColor::colorWithRed_green_blue_alpha(0.8, 0.1, 0.1, 1)),
        makeLabel(_entry.isPage() ? "Entry: " + _entry.pageFile : "Bundle: " + _entry.bundleDirectory(), 13,
                  /*bold=*/false, grey),
    };
    for (const auto& label : page->labels) page->addSubview(label);
    setView(page);
}
