#pragma once

#include "host/PSInnerTableCell.h"
#include "platform/NSIndexPath.h"
#include "platform/UITableView.h"

#include <array>
#include <memory>
#include <optional>

// The skin-tone picker: the footer of the configure page's "Skin Tones"
// group. It carries a six-row table of its own, one row per tone, and serves
// that table itself. The chosen tone lives only in the skin-tone file as "ST";
// the picker reads the file afresh for every row it draws and writes it at
// every tap. It never touches the settings file, so the "Set Default Skin
// Tone" switch above it and the picker are independent.
class VimbleSkintoneCell : public PSInnerTableCell {
public:
    OBJC_CLASS_NAME(VimbleSkintoneCell)

    static constexpr CGFloat kHeight = 260;
    static constexpr long kToneCount = 6;
    static constexpr const char* kReuseIdentifier = "VimbleHeaderCell2";
    static constexpr const char* kToneKey = "ST";
    static constexpr const char* kShouldUpdateKey = "shouldUpdateSkintone";

    // Row titles by tone: boy, girl, man and woman in the tone, the plain
    // forms first. The two darkest rows end with a space.
    static const std::array<const char*, kToneCount> kToneTitles;

    std::shared_ptr<VimbleSkintoneCell> initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

    // The same height at every width; the inner table neither scrolls nor
    // grows, so what of six rows passes 260 points is cut off.
    CGFloat preferredHeightForWidth(CGFloat width) override;

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;

    // The row that shows the active mark; none until a row is drawn active or tapped.
    const std::shared_ptr<NSIndexPath>& previousIndexPath() const { return _previousIndexPath; }
    void setPreviousIndexPath(std::shared_ptr<NSIndexPath> indexPath) { _previousIndexPath = std::move(indexPath); }

private:
    // The tone the skin-tone file names, read afresh; nullopt without a file
    // or a usable "ST" entry. May lie outside 0 to 5, and then marks no row.
    static std::optional<int> storedTone();

    std::shared_ptr<NSIndexPath> _previousIndexPath;
};
