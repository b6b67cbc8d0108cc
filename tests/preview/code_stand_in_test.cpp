#include "platform/ActivityMonitor.h"
#include "platform/Device.h"
#include "platform/ViewQuery.h"
#include "preview/BundleErrorController.h"
#include "preview/SettingsApp.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/LampPrefs.bundle";

struct Code {
    const char* name;
    std::string executable; // the file's bytes; "-" for none
    const char* logged;     // the log line's start; "" when the bundle's own code is loaded
};

std::string thisMachinesProgram() {
    std::ifstream stream("/bin/true", std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

TEST(CodeStandInTest, ABundleWhoseCodeCannotRunHereOpensThePageOfItsRootPlist) {
    const std::vector<Code> codes = {
        {"built for the phone", std::string("\xcf\xfa\xed\xfe\x0c\x00\x00\x01", 8) + std::string(64, '\0'),
         "Settings: /Library/PreferenceBundles/LampPrefs.bundle/LampPrefs is built for another machine (the phone); "
         "its page is built from /Library/PreferenceBundles/LampPrefs.bundle/Root.plist in place of its code"},
        {"no executable", "-",
         "Settings: the bundle has no executable /Library/PreferenceBundles/LampPrefs.bundle/LampPrefs; its page is "
         "built from /Library/PreferenceBundles/LampPrefs.bundle/Root.plist in place of its code"},
        {"code for this machine", thisMachinesProgram(), ""},
    };
    for (const auto& code : codes) {
        TemporaryDevice device;
        device.writeFile("/Library/PreferenceLoader/Preferences/LampPrefs.plist",
                         R"(<plist version="1.0"><dict><key>entry</key><dict><key>label</key><string>Lamp</string>)"
                         R"(<key>bundle</key><string>LampPrefs</string></dict></dict></plist>)");
        device.writeFile(std::string(kBundle) + "/Info.plist",
                         R"(<plist version="1.0"><dict><key>CFBundleExecutable</key><string>LampPrefs</string>)"
                         R"(<key>NSPrincipalClass</key><string>LampRootListController</string></dict></plist>)");
        device.writeFile(std::string(kBundle) + "/Root.plist",
                         R"(<plist version="1.0"><dict><key>title</key><string>Desk Lamp</string><key>items</key><array>)"
                         R"(<dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>Glow</string>)"
                         R"(</dict></array></dict></plist>)");
        if (code.executable != "-") device.writeFile(std::string(kBundle) + "/LampPrefs", code.executable);
        std::vector<std::string> logged;
        auto spy = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity& activity) {
            if (activity.kind == ActivityKind::Log) logged.push_back(activity.detail);
        });
        SettingsApp app;
        app.launch();
        ASSERT_EQ(app.tapText("Lamp").error(), "") << code.name;
        auto top = app.navigation()->topViewController();
        bool standsIn = *code.logged != '\0';
        EXPECT_EQ(top->title(), standsIn ? "Desk Lamp" : "Lamp") << code.name;
        EXPECT_EQ(ViewQuery::findByText(app.window(), "Glow") != nullptr, standsIn) << code.name;
        EXPECT_EQ(std::dynamic_pointer_cast<BundleErrorController>(top) != nullptr, !standsIn) << code.name;
        EXPECT_EQ(logged, standsIn ? std::vector<std::string>{code.logged} : std::vector<std::string>{}) << code.name;
        app.window()->setRootViewController(nullptr);
    }
}

} // namespace

// Bundles whose code loads a page of another name (loadSpecifiersFromPlistName:@"Lamp") and puts
// its texts through Localizable.strings: their one page stands in, in the phone's language.
TEST(CodeStandInTest, WithoutARootPlistTheBundlesOnePageStandsInWithItsTable) {
    TemporaryDevice device;
    Device::shared().setPreferredLanguages({"de"});
    device.writeFile("/Library/PreferenceLoader/Preferences/LampPrefs.plist",
                     R"(<plist version="1.0"><dict><key>entry</key><dict><key>label</key><string>Lamp</string>)"
                     R"(<key>bundle</key><string>LampPrefs</string></dict></dict></plist>)");
    device.writeFile(std::string(kBundle) + "/Info.plist",
                     R"(<plist version="1.0"><dict><key>CFBundleExecutable</key><string>LampPrefs</string></dict></plist>)");
    device.writeFile(std::string(kBundle) + "/Lamp.plist",
                     R"(<plist version="1.0"><dict><key>items</key><array><dict><key>cell</key><string>PSSwitchCell</string>)"
                     R"(<key>label</key><string>GLOW_LABEL</string></dict></array></dict></plist>)");
    device.writeFile(std::string(kBundle) + "/de.lproj/Localizable.strings", "\"GLOW_LABEL\" = \"Leuchten\";\n");
    device.writeFile(std::string(kBundle) + "/Lamp.png", "");
    // A defaults file beside it is no page, even one that keeps a count under `items`.
    device.writeFile(std::string(kBundle) + "/Defaults.plist",
                     R"(<plist version="1.0"><dict><key>items</key><integer>3</integer></dict></plist>)");
    SettingsApp app;
    app.launch();
    ASSERT_EQ(app.tapText("Lamp").error(), "");
    EXPECT_NE(ViewQuery::findByText(app.window(), "Leuchten"), nullptr);

    // Two pages and no Root.plist: only the code knows which one is first.
    device.writeFile(std::string(kBundle) + "/Shade.plist", R"(<plist version="1.0"><dict><key>items</key><array/></dict></plist>)");
    app.reset();
    ASSERT_EQ(app.tapText("Lamp").error(), "");
    EXPECT_NE(std::dynamic_pointer_cast<BundleErrorController>(app.navigation()->topViewController()), nullptr);
}
