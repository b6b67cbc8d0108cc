#pragma once

#include "host/PSInnerTableCell.h"
#include "platform/UITableView.h"

#include <string>

// One credited party on the creators page, made by the host as the footer
// view of a credit group: a photo at the left over a small table of two
// rows, the party's name and "Follow on Twitter". Tapping the link row opens
// the profile in the first social client the phone has, else on the web.
//
// The cell serves its own table as data source and delegate.
class VimbleDeveloperCell : public PSInnerTableCell {
public:
    OBJC_CLASS_NAME(VimbleDeveloperCell)

    static constexpr const char* kReuseIdentifier = "VimbleHeaderCell2";
    static constexpr const char* kRowReuseIdentifier = "VimbleDeveloperCell";
    static constexpr CGFloat kHeight = 90;
    static constexpr CGFloat kTableHeight = 88;
    static constexpr CGRect kPhotoFrame{{10, 10}, {70, 70}};
    static constexpr long kNameRow = 0;
    static constexpr long kLinkRow = 1;
    // The group record's keys for the party's name and handle.
    static constexpr const char* kNameKey = "ID";
    static constexpr const char* kHandleKey = "TH";

    // Reads the name and handle from the group record.
    std::shared_ptr<PSTableCell> initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

    CGFloat preferredHeightForWidth(CGFloat width) override;

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

    // Opens the profile: exactly one address per call.
    void twitterApp();

    const std::string& name() const { return _name; }
    void setName(std::string name) { _name = std::move(name); }
    const std::string& twitterHandle() const { return _twitterHandle; }
    void setTwitterHandle(std::string handle) { _twitterHandle = std::move(handle); }

private:
    void installPhoto();

    std::string _name;
    std::string _twitterHandle;
};
