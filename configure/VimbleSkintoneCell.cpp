#include "configure/VimbleSkintoneCell.h"

#include "shell/VimbleFiles.h"
#include "shell/VimbleRadioMark.h"

#include <string>

namespace {

const auto registration = ClassRegistration<VimbleSkintoneCell, PSTableCell>()
                              .initializer<&VimbleSkintoneCell::initWithSpecifier>("initWithSpecifier:");

constexpr int kPlainTone = 0;

} // namespace

const std::array<const char*, VimbleSkintoneCell::kToneCount> VimbleSkintoneCell::kToneTitles{
    "👦 👧 👨 👩",
    "👦🏻 👧🏻 👨🏻 👩🏻",
    "👦🏼 👧🏼 👨🏼 👩🏼",
    "👦🏽 👧🏽 👨🏽 👩🏽",
    "👦🏾 👧🏾 👨🏾 👩🏾 ",
    "👦🏿 👧🏿 👨🏿 👩🏿 ",
};

std::shared_ptr<VimbleSkintoneCell> VimbleSkintoneCell::initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    if (!initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle::Default, kReuseIdentifier, specifier)) {
        return nullptr;
    }
    setUserInteractionEnabled(true);
    // Shows only where the inner table leaves the cell uncovered.
    setBackgroundColor(UIColor::greenColor());
    // The table takes the screen's width once, at creation; it keeps that
    // frame when the device turns.
    installInnerTable(kHeight);
    return self<VimbleSkintoneCell>();
}

CGFloat VimbleSkintoneCell::preferredHeightForWidth(CGFloat) { return kHeight; }

long VimbleSkintoneCell::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) { return 1; }

long VimbleSkintoneCell::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long) {
    return kToneCount;
}

// "ST" is meant to be a one-digit text; a text or a number is read as its
// leading integer. Anything else (a dictionary, an array, data, a date) names
// no tone and counts as absent, so the plain forms are marked, as the add-on
// falls back to them when it finds no tone.
std::optional<int> VimbleSkintoneCell::storedTone() {
    auto file = VimbleFiles::readDictionary(VimbleFiles::skintoneFilePath());
    if (!file) return std::nullopt;
    auto tone = file->find(kToneKey);
    if (tone == file->end()) return std::nullopt;
    if (!tone->second.isString() && !tone->second.isNumber()) return std::nullopt;
    return tone->second.intValue();
}

std::shared_ptr<UITableViewCell> VimbleSkintoneCell::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    static constexpr const char* CustomCellIdentifier = "VimbleCell2";
    auto rowCell = tableView->dequeueReusableCellWithIdentifier(CustomCellIdentifier);
    if (!rowCell) {
        rowCell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Subtitle,
                                                                          CustomCellIdentifier);
    }
    rowCell->setOpaque(true);
    bool isActive = indexPath->row() == storedTone().value_or(kPlainTone);
    if (isActive) setPreviousIndexPath(indexPath);
    VimbleRadioMark::install(rowCell, isActive ? VimbleRadioMark::State::Active : VimbleRadioMark::State::Inactive);
    long row = indexPath->row();
    rowCell->textLabel()->setText(row >= 0 && row < kToneCount ? kToneTitles[row] : "");
    return rowCell;
}

// Every tap writes the file, also on the tone already chosen: the add-on
// watches "shouldUpdateSkintone". Only the two rows concerned change marks;
// nothing is reloaded.
void VimbleSkintoneCell::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                           const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    VimbleFiles::setValuesForKeys(VimbleFiles::skintoneFilePath(),
                                  {{kToneKey, Value(std::to_string(indexPath->row()))}, {kShouldUpdateKey, Value(true)}});
    auto tapped = tableView->cellForRowAtIndexPath(indexPath);
    if (VimbleRadioMark::isActive(tapped)) return;
    VimbleRadioMark::install(tableView->cellForRowAtIndexPath(_previousIndexPath), VimbleRadioMark::State::Inactive);
    VimbleRadioMark::install(tapped, VimbleRadioMark::State::Active);
    setPreviousIndexPath(indexPath);
}
