// A tweak's preference bundle whose code is not loaded here, written the way
// tweaks write theirs: the root page in the old text form with HB library
// cells and cells of the tweak's own code, child pages as XML, strings tables
// per language and pictures at the phone's scales.
#include "host/PSItemKind.h"
#include "host/PSPlistListController.h"
#include "host/PSTableCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/Device.h"
#include "platform/UIAlertController.h"
#include "platform/UIApplication.h"
#include "platform/UITextField.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/Glow.bundle";

// The bundle's root page, as the stand-in for its list controller opens it.
class GlowRoot : public PSPlistListController {
public:
    OBJC_CLASS_NAME(TestGlowRoot)
    std::shared_ptr<GlowRoot> init() {
        PSPlistListController::init();
        showPlistNamed(NSBundle::bundleWithPath(kBundle), "Root");
        return self<GlowRoot>();
    }
};
const auto registration = ClassRegistration<GlowRoot, PSPlistListController>().initializer<&GlowRoot::init>("init");

constexpr const char* kRoot = R"(// Glow's settings
{
    title = "ROOT_TITLE";
    items = (
        { cell = PSGroupCell; label = GENERAL; footerText = GENERAL_FOOTER; },
        { cell = PSSwitchCell; label = ENABLED; key = enabled; defaults = "com.example.glow"; default = 1; icon = "glow.png"; },
        { cellClass = HBTwitterCell; label = Developer; user = glowdev; },
        { cellClass = HBLinkTableCell; label = "Source Code"; url = "https://example.com/glow"; subtitle = "On the web"; },
        { cellClass = HBPackageTableCell; label = Package; packageIdentifier = "com.example.glow"; },
        { cell = PSSwitchCell; cellClass = GLWFancySwitchCell; label = Fancy; key = fancy; defaults = "com.example.glow"; },
        { cellClass = GLWBannerCell; label = Banner; icon = "missing.png"; },
        { label = "No Kind"; },
        "stray text",
        { cell = PSSwitchCell; label = "Old Systems Only"; pl_filter = { CoreFoundationVersion = ( "847.20", "1000" ); }; },
        { cell = PSSwitchCell; label = "Phones With NFC"; requiredCapabilities = ( nfc, "no-such-part" ); },
        { cellClass = HBStepperTableCell; label = WAIT; singularLabel = WAIT_ONE; key = wait; defaults = "com.example.glow"; min = 1; max = 9; default = 1; },
        { cell = PSGroupCell; label = ACCOUNT; },
        { cell = PSSecureEditTextCell; label = Password; key = password; defaults = "com.example.glow"; placeholder = SECRET; },
        { cell = PSEditTextCell; label = Port; key = port; defaults = "com.example.glow"; isNumeric = 1; autoCaps = none; noAutoCorrect = YES; },
        { cell = PSEditTextCell; label = Mail; key = mail; defaults = "com.example.glow"; keyboard = EmailAddress; isSecure = 0; enabled = 0; },
        { cell = PSSwitchCell; label = Locked; key = locked; defaults = "com.example.glow"; enabled = NO; },
        { cell = PSButtonCell; label = Reset; action = resetAll;
          confirmation = { title = "RESET_TITLE"; prompt = "All is lost"; okTitle = Erase; cancelTitle = Keep; }; },
        { cell = PSButtonCell; label = Respring; action = respring; enabled = 1; },
        { cell = PSButtonCell; label = Later; enabled = 0; },
        { cell = PSGroupCell; label = PAGES; },
        { cell = PSLinkCell; label = More; items = ( { cell = PSSwitchCell; label = Deep; key = deep; defaults = "com.example.glow"; } ); },
        { cell = PSLinkCell; label = Colours; detail = GLWColoursController; },
        { cell = PSLinkCell; label = Advanced; detail = GLWAdvancedController; },
        { cell = PSLinkCell; label = Themes; detail = GLWThemesController; },
        { cell = PSLinkCell; label = Broken; detail = GLWBrokenController; },
        { cell = PSLinkCell; label = Noises; detail = GLWChildSoundsListController; },
        { cell = PSLinkCell; label = Help; detail = GlowHelpListController; icon = "icons/help.png"; },
        { cell = PSLinkCell; label = Outside; icon = "../Other.bundle/icon.png"; },
        { cell = PSLinkCell; label = Activation; bundle = LibActivator; isController = 1; },
        { cell = PSLinkCell; label = "Glow Pro"; bundle = GlowPro; detail = GLWProBannersListController; isController = 1; },
        { cell = PSLinkCell; label = "Fine Print"; detail = GLWLegalController; },
        { cell = PSLinkCell; label = "Glow Plus"; detail = GLWPlusRootListController; },
        { cell = PSLinkListCell; label = Banners; detail = GLWBannersListController; key = banners; defaults = "com.example.glow"; },
        { cell = PSLinkCell; cellClass = GLWColourPickerCell; label = Tint; key = tint; },
    );
})";

constexpr const char* kChildHeader = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict><key>title</key><string>)";

class TweakPageTest : public ::testing::Test {
protected:
    TemporaryDevice device;
    std::vector<std::string> logged;
    ActivityMonitor::Subscription subscription = ActivityMonitor::shared().subscribe([this](const auto& activity) {
        if (activity.kind == ActivityKind::Log) logged.push_back(activity.detail);
    });

    void SetUp() override {
        std::string bundle = kBundle;
        device.writeFile(bundle + "/Root.plist", kRoot);
        device.writeFile(bundle + "/glow@2x.png", pngBytes());
        device.writeFile(bundle + "/en.lproj/Root.strings",
                         "\"ROOT_TITLE\" = \"Glow\";\n\"GENERAL\" = \"General\";\n\"GENERAL_FOOTER\" = \"Makes things glow.\";\n"
                         "\"ENABLED\" = \"Enabled\";\n\"RESET_TITLE\" = \"Reset everything?\";\n"
                         "\"WAIT\" = \"Wait %i Seconds\";\n\"WAIT_ONE\" = \"Wait 1 Second\";\n");
        device.writeFile(bundle + "/fr.lproj/Root.strings",
                         "/* French */\n\"ROOT_TITLE\" = \"Lueur\";\n\"ENABLED\" = \"Activ\u00E9\";\n\"SECRET\" = \"secret\";\n");
        device.writeFile(bundle + "/GLWColoursController.plist",
                         std::string(kChildHeader) + "Colours</string><key>items</key><array><dict><key>cell</key>"
                         "<string>PSSwitchCell</string><key>label</key><string>Rainbow</string></dict></array></dict></plist>");
        device.writeFile(bundle + "/Advanced.plist",
                         std::string(kChildHeader) + "Advanced</string><key>items</key><array><dict><key>cell</key>"
                         "<string>PSLinkCell</string><key>label</key><string>Start Again</string><key>detail</key>"
                         "<string>Root</string></dict>" +
                             childLink("Expert", "GLWExpertAdvancedController") + childLink("Home", "GLWHomeRootListController") +
                             "</array></dict></plist>");
        device.writeFile(bundle + "/GLWBrokenController.plist", std::string(kChildHeader) + "Broken</string><key>items");
        device.writeFile(bundle + "/icons/help@3x.png", pngBytes());
        device.writeFile("/Library/PreferenceBundles/Other.bundle/icon.png", pngBytes());
        for (const char* page : {"Sounds", "FinePrint", "Banners", "GlowHelp"}) {
            device.writeFile(bundle + "/" + page + ".plist",
                             std::string(kChildHeader) + page + "</string><key>items</key><array><dict><key>cell</key>"
                             "<string>PSSwitchCell</string><key>label</key><string>In " + page + "</string></dict></array></dict></plist>");
        }
    }
    void TearDown() override { Device::shared().restoreSettings(); }

    static std::string childLink(const std::string& label, const std::string& detail) {
        return "<dict><key>cell</key><string>PSLinkCell</string><key>label</key><string>" + label +
               "</string><key>detail</key><string>" + detail + "</string></dict>";
    }
    static std::string pngBytes() {
        return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x02\0\0\0\x02\x08\x06\0\0\0", 24) + std::string(16, '\0');
    }
    static std::shared_ptr<PSTableCell> cellOf(PanelSession& session, const std::string& title) {
        auto views = ViewQuery::viewsInRowTitled(session.window(), title);
        return views.empty() ? nullptr : std::dynamic_pointer_cast<PSTableCell>(views.front());
    }
    // "<kind> <interactive|inert> <title colour>" of a row.
    static std::string rowOf(PanelSession& session, const std::string& title) {
        auto cell = cellOf(session, title);
        if (!cell) return "(no row)";
        Value kind = cell->specifier()->propertyForKey(PSCellKindKey);
        auto colour = cell->titleLabel()->textColor();
        return (kind.isString() ? kind.asString() : "?") + (cell->isUserInteractionEnabled() ? " tappable " : " inert ") +
               (colour ? colour->cssString() : "tint");
    }
    // Taps a row of the page, scrolled towards the middle of the screen first.
    static bool tapRow(PanelSession& session, const std::string& title) {
        scrollTo(session, title);
        return session.tap(title);
    }
    static void scrollTo(PanelSession& session, const std::string& title) {
        session.scroll(-5000);
        double middle = session.window()->bounds().height() / 2;
        for (int step = 0; step < 8; ++step) {
            session.window()->layoutIfNeeded();
            auto view = ViewQuery::findByText(session.window(), title);
            double offset = view ? ViewQuery::centerInWindow(*view).y - middle : 300;
            if (view && std::abs(offset) < 200) break;
            session.scroll(offset);
        }
    }
    bool loggedLine(const std::string& line) const {
        return std::find(logged.begin(), logged.end(), line) != logged.end();
    }
};

TEST_F(TweakPageTest, EveryItemShowsAsItsKindAndWhatWasNotUnderstoodIsLogged) {
    PanelSession session("TestGlowRoot");
    EXPECT_EQ(session.topPage()->title(), "Glow");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Enabled", "PSSwitchCell tappable rgba(0, 0, 0, 1)"},
        {"Developer", "HBTwitterCell tappable tint"},
        {"Source Code", "HBLinkTableCell tappable tint"},
        {"Package", "HBPackageTableCell tappable tint"},
        {"Fancy", "PSSwitchCell tappable rgba(0, 0, 0, 1)"},
        {"Banner", "PSStaticTextCell inert rgba(0, 0, 0, 1)"},
        {"No Kind", "PSStaticTextCell inert rgba(0, 0, 0, 1)"},
        {"Old Systems Only", "(no row)"},
        {"Phones With NFC", "(no row)"},
    };
    for (const auto& [title, expected] : rows) EXPECT_EQ(rowOf(session, title), expected) << title;
    EXPECT_TRUE(session.switchOfRow("Enabled")->isOn()) << "a default of text 1 reads as on";
    for (const char* text : {"General", "Makes things glow.", "@glowdev", "On the web", "Wait 1 Second"}) {
        scrollTo(session, text);
        EXPECT_TRUE(session.shows(text)) << text;
    }
    for (const char* line : {
             "Settings: the cell class \u201CGLWFancySwitchCell\u201D of \u201CFancy\u201D is not loaded here; it is shown as PSSwitchCell",
             "Settings: the cell class \u201CGLWBannerCell\u201D of \u201CBanner\u201D is not known; it is shown as a plain row",
             "Settings: an item without a \u201Ccell\u201D of \u201CNo Kind\u201D is not known; it is shown as a plain row",
             "Settings: item 9 of \u201Citems\u201D is not a dictionary; it is left out",
             "Settings: the picture \u201Cmissing.png\u201D of \u201CBanner\u201D is not in the bundle",
         }) {
        EXPECT_TRUE(loggedLine(line)) << line;
    }
    // row, the picture it shows
    const std::vector<std::pair<std::string, std::string>> icons = {
        {"Enabled", std::string(kBundle) + "/glow@2x.png"},
        {"Help", std::string(kBundle) + "/icons/help@3x.png"},
        {"Outside", "(none)"},
    };
    for (const auto& [title, expected] : icons) {
        scrollTo(session, title);
        auto cell = cellOf(session, title);
        auto icon = cell ? cell->imageView()->image() : nullptr;
        EXPECT_EQ(!cell ? "(no row)" : icon ? icon->path() : "(none)", expected) << title;
    }
}

TEST_F(TweakPageTest, TheOldSystemAndThePhonesLanguageChooseWhatShows) {
    Device::shared().setPreferredLanguages({"fr-CA", "en"});
    ASSERT_TRUE(Device::shared().setSystemVersion("7.0"));
    Device::shared().setCapabilities({"nfc", "no-such-part"});
    PanelSession session("TestGlowRoot");
    EXPECT_EQ(session.topPage()->title(), "Lueur");
    for (const char* text : {"Activ\u00E9", "General", "Old Systems Only", "Phones With NFC"}) {
        EXPECT_TRUE(session.shows(text)) << text << ": French, else English, else the key";
    }
    EXPECT_EQ(ViewQuery::controlInRowTitled<UITextField>(session.window(), "Password")->placeholder(), "secret");
}

TEST_F(TweakPageTest, TextFieldsTakeTheirKeyboardAndSecretsShowAsDots) {
    PanelSession session("TestGlowRoot");
    auto field = [&](const char* row) { return ViewQuery::controlInRowTitled<UITextField>(session.window(), row); };
    // secure, keyboard, capitalization, autocorrection
    auto describe = [&](const char* row) {
        auto text = field(row);
        if (!text) return std::string("(no field)");
        return std::string(text->isSecureTextEntry() ? "secure " : "plain ") +
               std::to_string(static_cast<int>(text->keyboardType())) + " " +
               std::to_string(static_cast<int>(text->autocapitalizationType())) + " " +
               std::to_string(static_cast<int>(text->autocorrectionType()));
    };
    EXPECT_EQ(describe("Password"), "secure 0 2 0");
    EXPECT_EQ(describe("Port"), "plain 4 0 1");
    EXPECT_EQ(describe("Mail"), "plain 7 2 0");
    // A row that is not enabled shows its control dimmed, as the phone does.
    EXPECT_TRUE(field("Port")->isEnabled());
    EXPECT_FALSE(field("Mail")->isEnabled());
    tapRow(session, "Locked");
    EXPECT_FALSE(session.switchOfRow("Locked")->isEnabled());
    field("Password")->enterText("hunter2");
    EXPECT_EQ(device.readFile("/var/mobile/Library/Preferences/com.example.glow.plist").find("hunter2") != std::string::npos, true);
}

TEST_F(TweakPageTest, ButtonsOpenTheirAddressAskFirstOrLogTheirAction) {
    PanelSession session("TestGlowRoot");
    auto app = UIApplication::sharedApplication();
    app->forgetOpenedURLs();
    for (const char* button : {"Developer", "Source Code", "Package", "Respring"}) ASSERT_TRUE(tapRow(session, button)) << button;
    EXPECT_FALSE(tapRow(session, "Later"));
    EXPECT_TRUE(session.shows("Later"));
    EXPECT_EQ(app->openedURLs(), (std::vector<std::string>{"https://twitter.com/glowdev", "https://example.com/glow"}));
    EXPECT_TRUE(loggedLine("Settings: no app on this phone opens cydia://package/com.example.glow, which the button "
                           "\u201CPackage\u201D opens"));
    EXPECT_TRUE(loggedLine("Settings: the button \u201CRespring\u201D would call -respring; its code is not loaded"));

    EXPECT_FALSE(loggedLine("Settings: the button \u201CLater\u201D would call -(no action); its code is not loaded"))
        << "a button that is not enabled takes no touch";
    ASSERT_TRUE(tapRow(session, "Reset"));
    auto alert = std::dynamic_pointer_cast<UIAlertController>(session.topPage()->presentedViewController());
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title() + " | " + alert->message(), "Reset everything? | All is lost");
    EXPECT_FALSE(loggedLine("Settings: the button \u201CReset\u201D would call -resetAll; its code is not loaded"));
    ASSERT_TRUE(session.tap("Erase"));
    EXPECT_TRUE(loggedLine("Settings: the button \u201CReset\u201D would call -resetAll; its code is not loaded"));
}

TEST_F(TweakPageTest, EveryLinkLeadsToAPage) {
    PanelSession session("TestGlowRoot");
    // link, the page it opens, a text the page shows
    const std::vector<std::tuple<std::string, std::string, std::string>> links = {
        {"More", "More", "Deep"},
        {"Colours", "Colours", "Rainbow"},
        {"Themes", "Themes", "This page is built by the class \u201CGLWThemesController\u201D of the bundle, whose code is not loaded here."},
        {"Broken", "Broken", "The page's bundle has no readable GLWBrokenController.plist."},
        {"Noises", "Sounds", "In Sounds"},
        {"Fine Print", "FinePrint", "In FinePrint"},
        {"Help", "GlowHelp", "In GlowHelp"},
        {"Glow Plus", "Glow Plus", "This page is built by the class \u201CGLWPlusRootListController\u201D of the bundle, whose code is not loaded here."},
        {"Banners", "Banners", "In Banners"},
        {"Activation", "Activation", "This page is built by the bundle \u201CLibActivator\u201D, whose code is not loaded here."},
        {"Glow Pro", "Glow Pro", "This page is built by the class \u201CGLWProBannersListController\u201D of the bundle \u201CGlowPro\u201D, whose code is not loaded here."},
        {"Tint", "Tint", "This page is opened by the cell class \u201CGLWColourPickerCell\u201D of the bundle, whose code is not loaded here."},
        {"Advanced", "Advanced", "Start Again"},
    };
    for (const auto& [link, title, shown] : links) {
        ASSERT_TRUE(tapRow(session, link)) << link;
        EXPECT_EQ(session.topPage()->title(), title);
        bool found = false;
        for (const auto& text : session.visibleTexts()) found = found || text.find(shown) != std::string::npos;
        EXPECT_TRUE(found) << shown;
        if (link != "Advanced") ASSERT_TRUE(session.tap("Back"));
    }
    // A class named after the linking page or the root opens neither: only its code knows its page.
    for (const char* link : {"Expert", "Home"}) {
        ASSERT_TRUE(tapRow(session, link)) << link;
        EXPECT_EQ(session.topPage()->title(), link);
        EXPECT_FALSE(session.shows("Start Again")) << link;
        ASSERT_TRUE(session.tap("Back"));
    }
    // A child page that links back to the root opens the root again, one page per tap.
    ASSERT_TRUE(session.tap("Start Again"));
    EXPECT_EQ(session.topPage()->title(), "Glow");
    EXPECT_EQ(session.navigation()->viewControllers().size(), 3u);
}

} // namespace
