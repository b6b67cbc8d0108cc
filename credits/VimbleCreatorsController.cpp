#include "credits/VimbleCreatorsController.h"

#include "credits/VimbleDeveloperCell.h"
#include "platform/NSURL.h"
#include "platform/UIApplication.h"
#include "platform/UIBarButtonItem.h"
#include "shell/VimbleTexts.h"

namespace {

const auto registration = ClassRegistration<VimbleCreatorsController, PSListController>()
                              .initializer<&VimbleCreatorsController::init>("init");

constexpr const char* kDeveloperCellClass = "VimbleDeveloperCell";
constexpr const char* kWebsiteButtonTitle = "Website";

struct Credit {
    const char* title;
    const char* name;
    const char* handle;
};

// The studio's group is titled with its slogan.
constexpr Credit kCredits[] = {
    {"Korvent Developer", "Dorian K. Vale", "QuillFox7"},
    {"Korvent Designer", "Milo Brandt", "MiloBrandt"},
    {"Small tools, made with care", "Korvent Labs", "KorventTeam"},
};

// Between the credits and the plea the same empty group stands this often.
constexpr int kSpacerCount = 3;

std::shared_ptr<PSSpecifier> creditGroup(const Credit& credit) {
    auto group = PSSpecifier::groupSpecifierWithName(credit.title);
    group->setProperty_forKey(Value(kDeveloperCellClass), PSFooterCellClassGroupKey);
    group->setProperty_forKey(Value(credit.name), VimbleDeveloperCell::kNameKey);
    group->setProperty_forKey(Value(credit.handle), VimbleDeveloperCell::kHandleKey);
    return group;
}

} // namespace

std::shared_ptr<const SpecifierList> VimbleCreatorsController::specifiers() {
    if (_specifiers) return _specifiers;
    SpecifierList rows;
    for (const Credit& credit : kCredits) rows.push_back(creditGroup(credit));
    auto spacer = PSSpecifier::emptyGroupSpecifier();
    for (int count = 0; count < kSpacerCount; ++count) rows.push_back(spacer);
    auto plea = PSSpecifier::emptyGroupSpecifier();
    plea->setProperty_forKey(Value(VimbleTexts::kPleaFooter), PSFooterTextGroupKey);
    rows.push_back(plea);
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

void VimbleCreatorsController::viewDidLoad() {
    VimblePageAppearance::viewDidLoad();
    navigationItem()->setRightBarButtonItem(alloc<UIBarButtonItem>()->initWithTitle_style_target_action(
        kWebsiteButtonTitle, UIBarButtonItemStyle::Plain, self<NSObject>(),
        Selector::of<&VimbleCreatorsController::website>("website")));
}

// Whether the site opens is not looked at; the page stays either way.
void VimbleCreatorsController::website() {
    UIApplication::sharedApplication()->openURL(NSURL::URLWithString(VimbleTexts::kWebsite));
}
