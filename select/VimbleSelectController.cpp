#include "select/VimbleSelectController.h"

#include "catalog/VimbleCharManager.h"
#include "platform/PropertyList.h"
#include "platform/UIAlertController.h"
#include "platform/UINavigationController.h"
#include "shell/VimbleFiles.h"
#include "shell/VimbleRadioMark.h"

#include <algorithm>
#include <array>

namespace {

const auto registration = ClassRegistration<VimbleSelectController, PSViewController>()
                              .initializer<&VimbleSelectController::init>("init");

constexpr const char* kPageTitle = "Select Emoji's";
constexpr const char* kCloseTitle = "Close";
constexpr const char* kAlertTitle = "Vimble";
constexpr const char* kLimitMessage = "Limit Reached, Please deselect an emoji";
constexpr const char* kAlertActionTitle = "Okay";

using Mark = VimbleRadioMark::State;

// One section per category, in display order. The index letters repeat
// ("S", "A", "F" twice each); the table maps an index title to the section
// at the same position, so no mapping of our own is needed.
struct Category {
    const char* headerTitle;
    const char* indexTitle;
    std::vector<std::string> (VimbleCharManager::*entries)() const;
};

constexpr std::array<Category, 8> kCategories{{
    {"Smileys & People", "S", &VimbleCharManager::peopleEmoji},
    {"Animals & Nature", "A", &VimbleCharManager::natureEmoji},
    {"Food And Drink", "F", &VimbleCharManager::foodAndDrinkEmoji},
    {"Activity", "A", &VimbleCharManager::activityEmoji},
    {"Travel And Places", "T", &VimbleCharManager::travelAndPlacesEmoji},
    {"Objects", "O", &VimbleCharManager::objectsEmoji},
    {"Symbols", "S", &VimbleCharManager::symbolsEmoji},
    {"Flags", "F", &VimbleCharManager::flagsEmoji},
}};

// Every section number past the seventh category, and below the first, is Flags.
const Category& categoryForSection(long section) {
    constexpr long kLastNamedSection = 6;
    return section >= 0 && section <= kLastNamedSection ? kCategories[section] : kCategories.back();
}

// Fetched afresh on every call: the page keeps no copy of the lists.
std::vector<std::string> entriesOfSection(long section) {
    auto catalog = VimbleCharManager::sharedInstance();
    return ((*catalog).*categoryForSection(section).entries)();
}

std::shared_ptr<ValueArray> favorites() { return VimbleCharManager::sharedInstance()->emoji(); }

// The whole list, atomically; a failed write is not reported, and the next
// row build reloads what the file still holds.
void saveFavorites() { PropertyList::write(Value(favorites()), VimbleFiles::favoritesFilePath()); }

} // namespace

std::shared_ptr<VimbleSelectController> VimbleSelectController::init() {
    if (!PSViewController::init()) return nullptr;
    setTitle(kPageTitle);
    installBarButtons();
    installTable();
    return self<VimbleSelectController>();
}

// "Close" comes first in the list, so it stands at the outer right edge and
// the trash can to its left.
void VimbleSelectController::installBarButtons() {
    auto page = self<NSObject>();
    auto close = alloc<UIBarButtonItem>()->initWithTitle_style_target_action(
        kCloseTitle, UIBarButtonItemStyle::Plain, page, Selector::of<&VimbleSelectController::dismiss>("dismiss"));
    auto trash = alloc<UIBarButtonItem>()->initWithBarButtonSystemItem_target_action(
        UIBarButtonSystemItem::Trash, page, Selector::of<&VimbleSelectController::purge>("purge"));
    navigationItem()->setRightBarButtonItems({close, trash});
}

// Asking for the view loads it (and runs viewDidLoad) here, in init; the
// table then takes the loaded view's frame and its place.
void VimbleSelectController::installTable() {
    view()->setBackgroundColor(UIColor::whiteColor());
    setTableView(alloc<UITableView>()->initWithFrame_style(view()->frame(), UITableViewStyle::Grouped));
    serveTable(*_tableView);
    _tableView->setAllowsMultipleSelectionDuringEditing(false);
    setView(_tableView);
}

// The file keeps an empty array rather than vanishing: the add-on reads an
// empty list, not a missing one.
void VimbleSelectController::purge() {
    favorites()->clear();
    saveFavorites();
    _tableView->reloadData();
}

void VimbleSelectController::dismiss() {
    if (auto navigation = navigationController()) navigation->popViewControllerAnimated(/*animated=*/true);
}

long VimbleSelectController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return static_cast<long>(kCategories.size());
}

std::optional<std::string> VimbleSelectController::tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                                     long section) {
    return categoryForSection(section).headerTitle;
}

std::vector<std::string> VimbleSelectController::sectionIndexTitlesForTableView(const std::shared_ptr<UITableView>&) {
    std::vector<std::string> titles;
    for (const auto& category : kCategories) titles.emplace_back(category.indexTitle);
    return titles;
}

long VimbleSelectController::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long section) {
    return static_cast<long>(entriesOfSection(section).size());
}

// A row's mark reflects the favourites file as it stands now: the cell starts
// unchosen, then every favourite equal to its emoji turns the same mark view
// active. A recycled cell thus never keeps the mark of its previous row.
std::shared_ptr<UITableViewCell> VimbleSelectController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = tableView->dequeueReusableCellWithIdentifier(kCellIdentifier);
    if (!cell) cell = alloc<UITableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Subtitle, kCellIdentifier);
    cell->setOpaque(true);
    cell->textLabel()->setText(entriesOfSection(indexPath->section()).at(indexPath->row()));
    auto mark = VimbleRadioMark::install(cell, Mark::Inactive);
    auto catalog = VimbleCharManager::sharedInstance();
    catalog->getEmoji();
    const Value emoji(cell->textLabel()->text());
    for (const auto& favorite : *catalog->emoji()) {
        if (favorite != emoji) continue;
        mark->setImage(VimbleRadioMark::imageFor(Mark::Active));
        mark->setTag(VimbleRadioMark::kActiveTag);
        cell->setAccessibilityTraits(VimbleRadioMark::rowTraitsFor(Mark::Active));
    }
    return cell;
}

// Works on the favourites as the last row build left them, plus this page's
// own changes since; only the tapped row's mark changes. The emoji is the
// cell's title, so a repeated emoji acts the same from either of its rows.
void VimbleSelectController::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                               const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    auto cell = tableView->cellForRowAtIndexPath(indexPath);
    // Taps come only from rows on screen; without a cell there is no emoji to act on.
    if (!cell) return;
    if (VimbleRadioMark::isActive(cell)) {
        unchoose(cell);
        return;
    }
    // Exactly the limit: a longer list written by another program still takes additions.
    if (favorites()->size() == kFavoritesLimit) {
        presentLimitAlert();
        return;
    }
    choose(cell);
}

// Every entry equal to the emoji goes, so an emoji chosen twice from its two
// rows is removed at once; the others keep their order.
void VimbleSelectController::unchoose(const std::shared_ptr<UITableViewCell>& cell) {
    VimbleRadioMark::install(cell, Mark::Inactive);
    const Value emoji(cell->textLabel()->text());
    std::erase(*favorites(), emoji);
    saveFavorites();
}

void VimbleSelectController::choose(const std::shared_ptr<UITableViewCell>& cell) {
    favorites()->push_back(Value(cell->textLabel()->text()));
    saveFavorites();
    VimbleRadioMark::install(cell, Mark::Active);
}

void VimbleSelectController::presentLimitAlert() {
    auto alert = UIAlertController::alertControllerWithTitle_message_preferredStyle(kAlertTitle, kLimitMessage,
                                                                                    UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle_style_handler(kAlertActionTitle, UIAlertActionStyle::Destructive,
                                                                  nullptr));
    presentViewController_animated_completion(alert, /*animated=*/true, nullptr);
}
