#include "credits/VimbleDeveloperCell.h"

#include "platform/NSURL.h"
#include "platform/UIApplication.h"
#include "shell/VimbleFiles.h"
#include "shell/VimbleTableViewCell.h"
#include "shell/getColorFromHex.h"

namespace {

const auto registration = ClassRegistration<VimbleDeveloperCell, PSTableCell>()
                              .initializer<&VimbleDeveloperCell::initWithSpecifier>("initWithSpecifier:");

constexpr const char* kPhotoFormat = "%@%@.png";
constexpr const char* kFollowText = "Follow on Twitter";
constexpr const char* kFollowColor = "#007CE6";

// The clients asked for in this order; the first the phone can open shows
// the profile. Without any, the network's mobile site does.
struct SocialClient {
    const char* probe;
    const char* profilePrefix;
};
constexpr SocialClient kSocialClients[] = {
    {"tweetbot:", "tweetbot:///user_profile/"},
    {"twitterrific:", "twitterrific:///profile?screen_name="},
    {"twitter:", "twitter://user?screen_name="},
};
constexpr const char* kWebProfilePrefix = "https://mobile.twitter.com/";

std::string stringProperty(const PSSpecifier& specifier, const std::string& key) {
    Value value = specifier.propertyForKey(key);
    return value.isString() ? value.asString() : std::string();
}

std::string profileAddressPrefix() {
    auto application = UIApplication::sharedApplication();
    for (const SocialClient& client : kSocialClients) {
        if (application->canOpenURL(NSURL::URLWithString(client.probe))) return client.profilePrefix;
    }
    return kWebProfilePrefix;
}

} // namespace

std::shared_ptr<PSTableCell> VimbleDeveloperCell::initWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    auto cell = initWithStyle_reuseIdentifier_specifier(UITableViewCellStyle::Default, kReuseIdentifier, specifier);
    if (!cell) return nullptr;
    if (specifier) {
        setName(stringProperty(*specifier, kNameKey));
        setTwitterHandle(stringProperty(*specifier, kHandleKey));
    }
    setUserInteractionEnabled(true);
    // As wide as the screen is when the cell is made; it does not follow a later rotation.
    installInnerTable(kTableHeight);
    installPhoto();
    return cell;
}

// Added after the table, so the photo lies over the table's left end. A
// missing file leaves it empty.
void VimbleDeveloperCell::installPhoto() {
    auto image = UIImage::imageWithContentsOfFile(VimbleFiles::imagePath(kPhotoFormat, _name));
    auto photo = alloc<UIImageView>()->initWithImage(image);
    photo->setContentMode(UIViewContentMode::ScaleAspectFit);
    photo->setFrame(kPhotoFrame);
    addSubview(photo);
}

CGFloat VimbleDeveloperCell::preferredHeightForWidth(CGFloat) { return kHeight; }

long VimbleDeveloperCell::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) { return 1; }

long VimbleDeveloperCell::tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>&, long) { return 2; }

std::shared_ptr<UITableViewCell> VimbleDeveloperCell::tableView_cellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) {
    auto cell = tableView->dequeueReusableCellWithIdentifier(kRowReuseIdentifier);
    if (!cell) cell = alloc<VimbleTableViewCell>()->initWithStyle_reuseIdentifier(UITableViewCellStyle::Value1,
                                                                                  kRowReuseIdentifier);
    cell->setOpaque(true);
    cell->setSelectionStyle(UITableViewCellSelectionStyle::None);
    const auto& detail = cell->detailTextLabel();
    if (indexPath->row() == kNameRow) {
        detail->setText(_name);
        detail->setTextColor(UIColor::blackColor());
        return cell;
    }
    detail->setText(kFollowText);
    detail->setTextColor(getColorFromHex(kFollowColor));
    return cell;
}

void VimbleDeveloperCell::tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                             const std::shared_ptr<NSIndexPath>& indexPath) {
    tableView->deselectRowAtIndexPath_animated(indexPath, /*animated=*/true);
    if (indexPath->row() == kLinkRow) twitterApp();
}

// The handle is appended as it is, unescaped; whether the address opens is
// not looked at, and no other client is tried.
void VimbleDeveloperCell::twitterApp() {
    std::string address = profileAddressPrefix() + _twitterHandle;
    UIApplication::sharedApplication()->openURL(NSURL::URLWithString(address));
}
