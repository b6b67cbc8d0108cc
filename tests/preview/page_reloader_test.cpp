#include "preview/PageReloader.h"

#include "platform/ViewQuery.h"
#include "preview/BundleErrorController.h"
#include "preview/SettingsListController.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kLampEntry = "/Library/PreferenceLoader/Preferences/Lamp.plist";

// An entry page: its row label, the page's title and `count` rows "<word> 0", "<word> 1"...
std::string entryPage(const std::string& label, const std::string& word, int count) {
    std::string items;
    for (int row = 0; row < count; ++row) {
        items += "<dict><key>cell</key><string>PSStaticTextCell</string><key>label</key><string>" + word + " " +
                 std::to_string(row) + "</string></dict>";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>entry</key><dict>)"
           "<key>label</key><string>" + label + "</string></dict><key>items</key><array>" + items +
           "</array></dict></plist>";
}

class PageReloaderTest : public ::testing::Test {
protected:
    TemporaryDevice device;
    SettingsApp app;
    PageReloader reloader{app};

    std::string stack() const {
        std::string titles;
        for (const auto& page : app.navigation()->viewControllers()) {
            titles += (titles.empty() ? "" : " > ") + page->title();
            if (std::dynamic_pointer_cast<BundleErrorController>(page)) titles += " (error)";
        }
        return titles;
    }
    bool shows(const std::string& text) const { return ViewQuery::findByText(app.window(), text) != nullptr; }
    void openLamp(int rows) {
        device.writeFile(kLampEntry, entryPage("Lamp", "Bulb", rows));
        app.launch();
        ASSERT_EQ(app.tapText("Lamp").error(), "");
    }
};

TEST_F(PageReloaderTest, AnEditedPageIsRedrawnInPlaceWhereItWasScrolled) {
    openLamp(40);
    auto page = app.navigation()->topViewController();
    ASSERT_TRUE(app.scroll(500, std::nullopt));
    device.writeFile(kLampEntry, entryPage("Lamp", "Lantern", 40));
    reloader.reload({kLampEntry});
    EXPECT_EQ(app.navigation()->topViewController(), page);
    EXPECT_EQ(std::dynamic_pointer_cast<UIScrollView>(page->view())->contentOffset().y, 500);
    EXPECT_TRUE(shows("Lantern 20"));
    EXPECT_FALSE(shows("Bulb 20"));

    // Where the rows that were on screen are gone, the page stays at its new end.
    device.writeFile(kLampEntry, entryPage("Lamp", "Lantern", 3));
    reloader.reload({kLampEntry});
    EXPECT_EQ(std::dynamic_pointer_cast<UIScrollView>(page->view())->contentOffset().y, 0);
    EXPECT_TRUE(shows("Lantern 2"));
}

TEST_F(PageReloaderTest, ABrokenSaveShowsWhatBrokeAndTheNextGoodSaveBringsThePageBack) {
    openLamp(3);
    auto page = app.navigation()->topViewController();
    device.writeFile(kLampEntry, R"(<plist version="1.0"><dict><key>entry</key><dict><key>label</key>)"
                                 R"(<string>Lamp</string></dict><key>items</key><string>oops</string></dict></plist>)");
    reloader.reload({kLampEntry});
    EXPECT_EQ(stack(), "Settings > Lamp (error)");
    EXPECT_TRUE(shows("The page's \u201Citems\u201D is not a list."));

    device.writeFile(kLampEntry, "<plist");
    reloader.reload({kLampEntry});
    EXPECT_EQ(stack(), "Settings > Lamp (error)");
    EXPECT_TRUE(shows("The entry /Library/PreferenceLoader/Preferences/Lamp.plist can no longer be read."));

    device.writeFile(kLampEntry, entryPage("Lamp", "Lantern", 3));
    reloader.reload({kLampEntry});
    EXPECT_EQ(stack(), "Settings > Lamp");
    EXPECT_EQ(app.navigation()->topViewController(), page);
    EXPECT_TRUE(shows("Lantern 1"));
}

TEST_F(PageReloaderTest, TheListFollowsEntriesArrivingAndLeaving) {
    openLamp(3);
    device.writeFile("/Library/PreferenceLoader/Preferences/Desk/Desk.plist", entryPage("Desk", "Drawer", 2));
    reloader.reload({"/Library/PreferenceLoader/Preferences/Desk/Desk.plist"});
    EXPECT_EQ(stack(), "Settings > Lamp") << "a new entry leaves the page on screen";
    ASSERT_EQ(app.back().error(), "");
    EXPECT_TRUE(shows("Desk"));
    ASSERT_EQ(app.tapText("Lamp").error(), "");

    std::filesystem::remove(device.hostPath(kLampEntry));
    reloader.reload({kLampEntry});
    EXPECT_EQ(stack(), "Settings");
    EXPECT_FALSE(shows("Lamp"));
    EXPECT_TRUE(shows("Desk"));
}

} // namespace
