#include "shell/VimbleListController.h"

#include "platform/NSNotificationCenter.h"
#include "platform/UIActivityViewController.h"
#include "platform/UIDevice.h"
#include "platform/UINavigationController.h"
#include "platform/UIScreen.h"
#include "shell/VimbleFiles.h"
#include "shell/VimbleHeaderCell.h"
#include "shell/VimbleTexts.h"

#include <algorithm>

namespace {

const auto registration = ClassRegistration<VimbleListController, PSListController>()
                              .initializer<&VimbleListController::init>("init");

const std::string kEnabledKey = "Enabled";
constexpr double kHeaderSpacerHeight = 130;
constexpr const char* kBannerFormat = "%@Vimble - Header.png";

std::shared_ptr<PSSpecifier> groupWithProperty(const std::string& name, const std::string& key, const Value& value) {
    auto group = PSSpecifier::groupSpecifierWithName(name);
    group->setProperty_forKey(value, key);
    return group;
}

// Missing, and present with a true value, both count as on.
bool isEnabledInSettingsFile() {
    auto settings = VimbleFiles::readDictionary(VimbleFiles::settingsFilePath());
    if (!settings) return true;
    auto enabled = settings->find(kEnabledKey);
    return enabled == settings->end() || enabled->second.boolValue();
}

} // namespace

std::shared_ptr<const SpecifierList> VimbleListController::specifiers() {
    if (_specifiers) return _specifiers;
    SpecifierList rows;
    hiddenSpecs = std::make_shared<SpecifierList>();
    appendLeadingRows(rows);
    hiddenSpecs->push_back(PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "Configure", self<NSObject>(), Selector(), Selector(), objc_getClass("VimbleConfigureController"),
        PSCellType::Link, nullptr));
    if (isEnabledInSettingsFile()) rows.insert(rows.end(), hiddenSpecs->begin(), hiddenSpecs->end());
    appendTrailingRows(rows);
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

void VimbleListController::appendLeadingRows(SpecifierList& rows) {
    auto header = groupWithProperty("", PSHeaderCellClassGroupKey, Value("VimbleHeaderCell"));
    header->setProperty_forKey(Value(kHeaderSpacerHeight), VimbleHeaderCell::kSpacerHeightKey);
    rows.push_back(header);
    rows.push_back(PSSpecifier::groupSpecifierWithName("Options"));
    auto enable = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "Enable", self<NSObject>(),
        Selector::of<&VimbleListController::setPreferenceValue_specifier>("setPreferenceValue:specifier:"),
        Selector::of<&VimbleListController::readPreferenceValue>("readPreferenceValue:"), nullptr, PSCellType::Switch,
        nullptr);
    enable->setProperty_forKey(Value(kEnabledKey), PSKeyNameKey);
    enable->setProperty_forKey(Value(true), PSDefaultValueKey);
    enable->setProperty_forKey(Value(true), PSEnabledSpecKey);
    enable->setProperty_forKey(Value(NSClassFromString("VimbleSwitch")), PSCellClassKey);
    rows.push_back(enable);
}

void VimbleListController::appendTrailingRows(SpecifierList& rows) {
    rows.push_back(PSSpecifier::groupSpecifierWithName("Korvent Labs"));
    rows.push_back(PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "The Creators", self<NSObject>(), Selector(), Selector(), objc_getClass("VimbleCreatorsController"),
        PSCellType::LinkList, nullptr));
    auto help = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
        "Need Help", self<NSObject>(), Selector(), Selector(), nullptr, PSCellType::Button, nullptr);
    help->setButtonAction(Selector::of<&VimbleListController::email>("email"));
    rows.push_back(help);
    auto spacer = PSSpecifier::emptyGroupSpecifier();
    rows.push_back(spacer);
    rows.push_back(spacer);
    rows.push_back(groupWithProperty("", PSFooterTextGroupKey, Value(VimbleTexts::kPleaFooter)));
}

Value VimbleListController::readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) {
    auto settings = VimbleFiles::readDictionary(VimbleFiles::settingsFilePath());
    if (settings) {
        if (auto enabled = settings->find(kEnabledKey); enabled != settings->end()) return enabled->second;
    }
    return specifier->propertyForKey(PSDefaultValueKey);
}

void VimbleListController::setPreferenceValue_specifier(const Value& value,
                                                        const std::shared_ptr<PSSpecifier>& specifier) {
    VimbleFiles::setValuesForKeys(VimbleFiles::settingsFilePath(), {{kEnabledKey, value}});
    if (!specifier->propertyForKey(PSEnabledSpecKey).boolValue()) return;
    if (value.boolValue()) {
        insertContiguousSpecifiers_atIndex_animated(*hiddenSpecs, positionAfter(*specifier), /*animated=*/true);
        return;
    }
    removeContiguousSpecifiers_animated(*hiddenSpecs, /*animated=*/true);
}

// The hidden rows stand right under the master switch.
std::size_t VimbleListController::positionAfter(const PSSpecifier& specifier) const {
    if (!_specifiers) return 0;
    const SpecifierList& rows = *_specifiers;
    auto found = std::find_if(rows.begin(), rows.end(), [&specifier](const auto& row) { return row.get() == &specifier; });
    return found == rows.end() ? rows.size() : static_cast<std::size_t>(found - rows.begin()) + 1;
}

void VimbleListController::viewDidLoad() {
    VimblePageAppearance::viewDidLoad();
    installBanner();
    navigationItem()->setRightBarButtonItem(alloc<UIBarButtonItem>()->initWithBarButtonSystemItem_target_action(
        UIBarButtonSystemItem::Action, self<NSObject>(), Selector::of<&VimbleListController::share>("share:")));
    NSNotificationCenter::defaultCenter()->addObserver_selector_name_object(
        self<NSObject>(), Selector::of<&VimbleListController::orientationChanged>("orientationChanged"),
        UIDeviceOrientationDidChangeNotification, nullptr);
}

// The banner scrolls with the rows and lies over the header's 130 points; it
// is stretched to its frame.
void VimbleListController::installBanner() {
    auto image = UIImage::imageWithContentsOfFile(VimbleFiles::imagePath(kBannerFormat));
    setIconImageView(alloc<UIImageView>()->initWithImage(image));
    CGFloat screenWidth = UIScreen::mainScreen()->bounds().width();
    _iconImageView->setFrame(CGRectMake(0, 0, screenWidth, kBannerHeight));
    _iconImageView->setCenter(CGPointMake(screenWidth / 2, kBannerCenterY));
    table()->addSubview(_iconImageView);
}

void VimbleListController::orientationChanged() {
    _iconImageView->setFrame(CGRectMake(0, 0, table()->frame().width(), kBannerHeight));
}

std::shared_ptr<UITableViewCell> VimbleListController::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = PSListController::tableView_cellForRowAtIndexPath(tableView, indexPath);
    if (auto preferencesCell = std::dynamic_pointer_cast<PSTableCell>(cell)) {
        preferencesCell->titleLabel()->setTextColor(UIColor::blackColor());
    }
    return cell;
}

void VimbleListController::email() {
    auto composer = alloc<MFMailComposeViewController>()->init();
    composer->setMailComposeDelegate(self<VimbleListController>());
    composer->setSubject(VimbleTexts::kHelpMailSubject);
    composer->setToRecipients({VimbleTexts::kSupportAddress});
    presentViewController_animated_completion(composer, /*animated=*/true, nullptr);
}

void VimbleListController::mailComposeController_didFinishWithResult_error(
    const std::shared_ptr<MFMailComposeViewController>&, MFMailComposeResult, const Value&) {
    dismissViewControllerAnimated_completion(/*animated=*/true, nullptr);
}

void VimbleListController::share(const Value&) {
    auto sheet = alloc<UIActivityViewController>()->initWithActivityItems_applicationActivities(
        {Value(VimbleTexts::kShareText)}, {});
    if (auto navigation = navigationController()) navigation->presentViewController_animated_completion(sheet, /*animated=*/true, nullptr);
}
