#include "host/PSListController.h"
#include "platform/ActivityMonitor.h"
#include "platform/Device.h"
#include "platform/UITextField.h"
#include "platform/ViewQuery.h"
#include "preview/AppFolder.h"
#include "preview/BundleErrorController.h"
#include "preview/SettingsApp.h"
#include "preview/SettingsEntryCell.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const fs::path kTideTable = fs::path(VIMBLE_EXAMPLES_DIR) / "TideTable.app";
// uuid5(NAMESPACE_URL, "bundle:com.example.tidetable"), "data:…" and "group:group.com.example.tidetable".
constexpr const char* kBundleContainer = "/var/containers/Bundle/Application/0EACCCEE-39EF-5B05-9DCE-F430A27A6357";
constexpr const char* kDataContainer = "/var/mobile/Containers/Data/Application/79C7094F-CC2B-545B-A9A2-18C4E8714AB7";
constexpr const char* kGroupFile = "/var/mobile/Containers/Shared/AppGroup/5586FE31-ADDE-5D93-B5AC-8398AFB0CD72"
                                   "/Library/Preferences/group.com.example.tidetable.plist";
const std::string kValuesFile = std::string(kDataContainer) + "/Library/Preferences/com.example.tidetable.plist";

std::string plist(const std::string& body) { return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + body + "</plist>"; }
std::string infoPlist(const std::string& identifier, const std::string& name) {
    return plist("<dict><key>CFBundleIdentifier</key><string>" + identifier + "</string><key>CFBundleName</key><string>" +
                 name + "</string></dict>");
}
std::string page(const std::string& elements) {
    return plist("<dict><key>PreferenceSpecifiers</key><array>" + elements + "</array></dict>");
}

// Every row of a page as "Kind:title", the kind by its Preferences number.
std::string rowsOf(PSListController& page) {
    std::string rows;
    for (const auto& row : *page.specifiers()) {
        rows += (rows.empty() ? "" : " ") + std::to_string(static_cast<int>(row->cellType())) + ":" + row->name();
    }
    return rows;
}

class AppSettingsTest : public ::testing::Test {
protected:
    TemporaryDevice device;
    SettingsApp app;

    void install(const fs::path& folder) {
        std::string error;
        ASSERT_TRUE(AppFolder(folder).install(error)) << error;
    }
    void openTideTable() {
        install(kTideTable);
        app.launch();
        ASSERT_EQ(app.tapText("Tide Table").error(), "");
    }
    std::shared_ptr<PSListController> topPage() const {
        return std::dynamic_pointer_cast<PSListController>(app.navigation()->topViewController());
    }
    bool shows(const std::string& text) const { return ViewQuery::findByText(app.window(), text) != nullptr; }
    std::shared_ptr<UITableViewCell> cellOf(const std::string& row) const {
        auto views = ViewQuery::viewsInRowTitled(app.window(), row);
        return views.empty() ? nullptr : std::dynamic_pointer_cast<UITableViewCell>(views.front());
    }
    std::string detailOf(const std::string& row) const {
        auto cell = cellOf(row);
        return cell && cell->detailTextLabel() ? cell->detailTextLabel()->text() : "(none)";
    }
    std::string ticked() const {
        std::string rows;
        for (const char* row : {"Curve", "Table", "Fathoms", "Feet", "Metres"}) {
            auto cell = cellOf(row);
            if (cell && cell->accessoryType() == UITableViewCellAccessoryType::Checkmark) rows += row;
        }
        return rows;
    }
    std::string errorMessage() const {
        auto error = std::dynamic_pointer_cast<BundleErrorController>(app.navigation()->topViewController());
        return error ? error->message() : "(no error page)";
    }
    std::string footerOfTopPage() {
        auto page = topPage();
        auto footer = page ? page->tableView_titleForFooterInSection(page->table(), 0) : std::nullopt;
        return footer.value_or("(none)");
    }
};

TEST_F(AppSettingsTest, AnAppLandsWhereThePhoneKeepsAppsWithItsDataContainerNamed) {
    install(kTideTable);
    EXPECT_TRUE(device.exists(std::string(kBundleContainer) + "/TideTable.app/Settings.bundle/en.lproj/Root.strings"));
    EXPECT_EQ(readWithPlistlib(device.hostPath(std::string(kDataContainer) +
                                               "/.com.apple.mobile_container_manager.metadata.plist")),
              R"({"MCMMetadataIdentifier": "com.example.tidetable"})");

    // A bare Settings.bundle takes its app from the Info.plist beside it, named after the app.
    fs::path project = device.hostPath("/tmp/project");
    fs::create_directories(project);
    fs::copy(kTideTable / "Settings.bundle", project / "Settings.bundle", fs::copy_options::recursive);
    device.writeFile("/tmp/project/Info.plist", infoPlist("com.example.tidetable", "Tides Lite"));
    install(project / "Settings.bundle");
    EXPECT_TRUE(device.exists(std::string(kBundleContainer) + "/Tides Lite.app/Settings.bundle/Root.plist"));
    EXPECT_FALSE(device.exists(std::string(kBundleContainer) + "/TideTable.app")) << "the same app installed again";
}

TEST_F(AppSettingsTest, AppsAreListedBelowTheTweaksByNameWithTheirIcons) {
    device.writeFile("/Library/PreferenceLoader/Preferences/Lamp.plist",
                     plist("<dict><key>entry</key><dict><key>label</key><string>Lamp</string></dict><key>items</key><array/></dict>"));
    install(kTideTable);
    device.writeFile("/var/containers/Bundle/Application/X/Broken.app/Settings.bundle/Root.plist", page(""));
    app.launch();
    EXPECT_TRUE(shows("Lamp"));
    EXPECT_FALSE(shows("Barometer"));
    device.writeFile("/var/containers/Bundle/Application/Y/Barometer.app/Info.plist", infoPlist("com.example.baro", ""));
    app.reset();
    std::string order;
    for (const auto& text : ViewQuery::visibleTexts(app.window())) {
        if (text == "Lamp" || text == "Barometer" || text == "Broken" || text == "Tide Table") order += text + ";";
    }
    EXPECT_EQ(order, "Lamp;Barometer;Broken;Tide Table;");
    auto list = std::dynamic_pointer_cast<UITableView>(app.navigation()->topViewController()->view());
    EXPECT_EQ(list->numberOfRowsInSection(1), 3) << "the apps' own group";

    auto icon = [&](const std::string& row) { return std::dynamic_pointer_cast<SettingsEntryCell>(cellOf(row))->iconView(); };
    EXPECT_EQ(icon("Tide Table")->image()->path(), std::string(kBundleContainer) + "/TideTable.app/AppIcon60x60@2x.png");
    EXPECT_EQ(icon("Barometer")->image(), nullptr);
    EXPECT_GT(icon("Barometer")->cornerRadius(), 0) << "a plain rounded square";
    EXPECT_NE(icon("Barometer")->backgroundColor(), nullptr);
    EXPECT_EQ(icon("Lamp")->backgroundColor(), nullptr) << "a tweak without an icon shows none";

    ASSERT_EQ(app.tapText("Broken").error(), "");
    EXPECT_EQ(errorMessage(), "The app has no readable Info.plist at /var/containers/Bundle/Application/X/Broken.app/Info.plist.");
}

TEST_F(AppSettingsTest, EveryElementOfTheSchemaBecomesItsRow) {
    std::string logged;
    auto subscription = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity& activity) {
        if (activity.kind == ActivityKind::Log) logged += activity.detail;
    });
    openTideTable();
    auto root = topPage();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->title(), "Tide Table");
    EXPECT_EQ(rowsOf(*root), "0:Tides 6:Alerts 2:Units 4:Tide model 8:Harbour 8:Station code 5: 0:Chart 3:Curve 3:Table "
                             "0:More 1:Display 1:Widget 7:Season start");
    EXPECT_EQ(logged, "Settings: the element type \u201CPSDatePickerSpecifier\u201D of \u201CSeason start\u201D is not in "
                      "the Settings bundle schema; it is shown as a plain row");
    EXPECT_TRUE(shows("Times are shown in the harbour's own time zone."));
    EXPECT_TRUE(app.window() && ViewQuery::switchInRowTitled(app.window(), "Alerts")->isOn()) << "DefaultValue YES is its TrueValue";
    EXPECT_EQ(detailOf("Units"), "m") << "the short title of the default";
    EXPECT_EQ(detailOf("Tide model"), "Harmonic with surge");
    EXPECT_EQ(ViewQuery::controlInRowTitled<UITextField>(app.window(), "Harbour")->text(), "Brest");

    // What the text fields ask of the keyboard, under the keys Preferences reads.
    const std::vector<std::pair<std::size_t, std::string>> traits = {
        {4, "isSecure=false keyboard=Alphabet autoCaps=words noAutoCorrect=true"},
        {5, "isSecure=true keyboard=NumberPad autoCaps=none noAutoCorrect=(nil)"}};
    for (const auto& [index, expected] : traits) {
        auto row = root->specifiers()->at(index);
        std::string shown;
        for (const char* key : {"isSecure", "keyboard", "autoCaps", "noAutoCorrect"}) {
            Value value = row->propertyForKey(key);
            std::string text = value.isNil() ? "(nil)" : value.isBool() ? (value.asBool() ? "true" : "false") : value.asString();
            shown += (shown.empty() ? "" : " ") + std::string(key) + "=" + text;
        }
        EXPECT_EQ(shown, expected) << row->name();
    }
    auto slider = root->specifiers()->at(6);
    EXPECT_EQ(slider->propertyForKey("leftImage").asString(), std::string(kBundleContainer) + "/TideTable.app/Settings.bundle/Quiet.png");
    EXPECT_EQ(slider->propertyForKey("max").doubleValue(), 1);
}

TEST_F(AppSettingsTest, ValuesGoToTheAppsContainerFileWithEveryOtherKeyKept) {
    device.writeFile(kValuesFile, plist("<dict><key>kept</key><string>yes</string><key>units</key><string>fathom</string></dict>"));
    openTideTable();
    EXPECT_EQ(detailOf("Units"), "fm");
    ASSERT_EQ(app.tapSwitch("Alerts").error(), "");
    ASSERT_EQ(app.enterText("Harbour", "Saint-Malo").error(), "");

    ASSERT_EQ(app.tapText("Units").error(), "");
    std::string order;
    for (const auto& text : ViewQuery::visibleTexts(app.window())) {
        if (text == "Fathoms" || text == "Feet" || text == "Metres") order += text + ";";
    }
    EXPECT_EQ(order, "Fathoms;Feet;Metres;") << "DisplaySortedByTitle";
    EXPECT_EQ(ticked(), "Fathoms");
    ASSERT_EQ(app.tapText("Feet").error(), "");
    ASSERT_EQ(app.back().error(), "");
    EXPECT_EQ(detailOf("Units"), "ft");

    app.scroll(300, std::nullopt);
    EXPECT_EQ(ticked(), "Curve") << "the radio group's DefaultValue";
    ASSERT_EQ(app.tapText("Table").error(), "");
    EXPECT_EQ(ticked(), "Table");
    EXPECT_EQ(readWithPlistlib(device.hostPath(kValuesFile)),
              R"({"alerts_enabled": "NO", "chart": "table", "harbour": "Saint-Malo", "kept": "yes", "units": "ft"})");
    app.reset();
    EXPECT_FALSE(device.exists(kValuesFile)) << "a reset deletes the app's values";
    EXPECT_TRUE(shows("Tide Table")) << "and keeps the app";
}

TEST_F(AppSettingsTest, ChildPanesTakeTheirPhoneFileTheirTableAndTheirGroupContainer) {
    openTideTable();
    app.scroll(600, std::nullopt);
    ASSERT_EQ(app.tapText("Display").error(), "");
    EXPECT_EQ(rowsOf(*topPage()), "0:Moon 6:Moon phase") << "Display~iphone.plist through Display.strings";
    ASSERT_EQ(app.back().error(), "");
    ASSERT_EQ(app.tapText("Widget").error(), "");
    ASSERT_EQ(app.tapSwitch("Next tide in widget").error(), "");
    EXPECT_EQ(readWithPlistlib(device.hostPath(kGroupFile)), R"({"widget_next_tide": true})");
    EXPECT_FALSE(device.exists(kValuesFile));
}

TEST_F(AppSettingsTest, TheDevicesLanguageChoosesTheStrings) {
    Device::shared().setPreferredLanguages({"fr-FR"});
    openTideTable();
    const std::string translated = "0:Marées 6:Alertes 2:Units 4:Tide model";
    EXPECT_EQ(rowsOf(*topPage()).substr(0, translated.size()), translated);
    EXPECT_EQ(app.deviceState()["languages"].dump(), R"(["en","fr"])") << "the device panel offers the app's languages";
}

TEST_F(AppSettingsTest, AnAppThatCannotBeInstalledSaysWhy) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "has no readable Info.plist"},
        {plist("<dict><key>CFBundleName</key><string>Nameless</string></dict>"), "names no usable CFBundleIdentifier"},
        {infoPlist("$(PRODUCT_BUNDLE_IDENTIFIER)", "Unbuilt"), "names no usable CFBundleIdentifier (\"$(PRODUCT_BUNDLE_IDENTIFIER)\"): "
                                                               "Xcode fills in that build setting as it builds the app"},
        {infoPlist("${BUNDLE_PREFIX}.tides", "Unbuilt"), "install the built Name.app, or a folder holding the Settings.bundle"},
        {infoPlist("../escape", "Escape"), "names no usable CFBundleIdentifier"},
    };
    for (const auto& [info, reason] : cases) {
        fs::path folder = device.hostPath("/tmp/Bad.app");
        fs::remove_all(folder);
        device.writeFile("/tmp/Bad.app/Settings.bundle/Root.plist", page(""));
        if (!info.empty()) device.writeFile("/tmp/Bad.app/Info.plist", info);
        std::string error;
        EXPECT_FALSE(AppFolder(folder).install(error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_empty(device.hostPath("/var/containers/Bundle/Application")));
}

TEST_F(AppSettingsTest, APageThatCannotBeReadSaysWhyAndWritesNothingOutsideTheDevice) {
    const std::string app1 = "/var/containers/Bundle/Application/A/Notes.app";
    device.writeFile(app1 + "/Info.plist", infoPlist("com.example.notes", "Notes"));
    device.writeFile(app1 + "/Settings.bundle/Root.plist", plist("<dict><key>Title</key><string>x</string></dict>"));
    app.launch();
    ASSERT_EQ(app.tapText("Notes").error(), "");
    EXPECT_EQ(errorMessage(), app1 + "/Settings.bundle/Root.plist has no PreferenceSpecifiers list: it is no Settings page.");

    auto pane = [](const std::string& title, const std::string& file) {
        return "<dict><key>Type</key><string>PSChildPaneSpecifier</string><key>Title</key><string>" + title +
               "</string><key>File</key><string>" + file + "</string></dict>";
    };
    device.writeFile(app1 + "/Settings.bundle/Root.plist",
                     page(pane("Lost", "Missing") + pane("Again", "Root") +
                          "<dict><key>Type</key><string>PSToggleSwitchSpecifier</string><key>Title</key><string>Sync</string>"
                          "<key>Key</key><string>sync</string></dict>"));
    const std::vector<std::pair<std::string, std::string>> panes = {
        {"Lost", "There is no readable page at " + app1 + "/Settings.bundle/Missing.plist."},
        {"Again", "The pane \u201CRoot\u201D names " + app1 + "/Settings.bundle/Root.plist, which is already open below it."},
    };
    app.reset();
    ASSERT_EQ(app.tapText("Notes").error(), "");
    for (const auto& [title, message] : panes) {
        ASSERT_EQ(app.tapText(title).error(), "");
        EXPECT_EQ(footerOfTopPage(), message);
        ASSERT_EQ(app.back().error(), "");
    }

    // A data container whose Library leads out of the device root.
    fs::path outside = device.root().parent_path() / ("outside-" + device.root().filename().string());
    fs::create_directories(outside);
    std::string container = "/var/mobile/Containers/Data/Application/B";
    device.writeFile(container + "/.com.apple.mobile_container_manager.metadata.plist",
                     plist("<dict><key>MCMMetadataIdentifier</key><string>com.example.notes</string></dict>"));
    fs::create_directory_symlink(outside, device.hostPath(container + "/Library"));
    app.reset();
    ASSERT_EQ(app.tapText("Notes").error(), "");
    ASSERT_EQ(app.tapSwitch("Sync").error(), "");
    EXPECT_TRUE(fs::is_empty(outside));
    device.writeFile("/tmp/keep", "");
    fs::rename(device.hostPath("/tmp/keep"), outside / "com.example.notes.plist");
    app.reset();
    EXPECT_TRUE(fs::exists(outside / "com.example.notes.plist")) << "a reset deletes nothing outside the device";
    fs::remove_all(outside);
}

} // namespace
