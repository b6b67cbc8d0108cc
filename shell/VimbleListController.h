#pragma once

#include "host/PSListController.h"
#include "platform/MFMailComposeViewController.h"
#include "platform/UIImageView.h"
#include "shell/VimblePageAppearance.h"

// The panel's root page: the banner, the master switch "Enable" with the
// "Configure" row it shows and hides, the way to the creators, the help mail
// and the share button.
class VimbleListController : public VimblePageAppearance<PSListController>, public MFMailComposeViewControllerDelegate {
public:
    OBJC_CLASS_NAME(VimbleListController)

    static constexpr double kBannerHeight = 143;
    static constexpr double kBannerCenterY = 70;

    std::shared_ptr<const SpecifierList> specifiers() override;
    Value readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) override;
    void setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) override;

    void viewDidLoad() override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;

    void email();
    void mailComposeController_didFinishWithResult_error(const std::shared_ptr<MFMailComposeViewController>& controller,
                                                         MFMailComposeResult result, const Value& error) override;
    void share(const Value& sender);
    void orientationChanged();

    const std::shared_ptr<UIImageView>& iconImageView() const { return _iconImageView; }
    void setIconImageView(std::shared_ptr<UIImageView> view) { _iconImageView = std::move(view); }

    // The rows shown only while "Enable" is on: the one "Configure" record.
    std::shared_ptr<SpecifierList> hiddenSpecs;

private:
    void appendLeadingRows(SpecifierList& rows);
    void appendTrailingRows(SpecifierList& rows);
    void installBanner();
    std::size_t positionAfter(const PSSpecifier& specifier) const;

    std::shared_ptr<UIImageView> _iconImageView;
};
