#include "host/PSEditableTableCell.h"
#include "host/PSListController.h"
#include "host/PSSegmentTableCell.h"
#include "host/PSSliderTableCell.h"
#include "platform/ActivityMonitor.h"
#include "platform/ViewQuery.h"
#include "support/PanelSession.h"
#include "support/TemporaryDevice.h"
#include "tests/support/IndependentReaders.h"
#include "tests/support/NotificationCounter.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kBundle = "/Library/PreferenceBundles/Lamp.bundle";
constexpr const char* kSettings = "/var/mobile/Library/Preferences/test.lamp.plist";

// A bundle's page whose rows are Lamp.plist in its bundle.
class LampPage : public PSListController {
public:
    OBJC_CLASS_NAME(TestLampPage)
    std::shared_ptr<NSBundle> bundle() override { return NSBundle::bundleWithPath(kBundle); }
    std::shared_ptr<const SpecifierList> specifiers() override {
        if (!_specifiers) {
            _specifiers = std::make_shared<const SpecifierList>(loadSpecifiersFromPlistName_target("Lamp", self<NSObject>()));
        }
        return _specifiers;
    }
};
const auto registration = ClassRegistration<LampPage, PSListController>().initializer<&LampPage::init>("init");

constexpr const char* kLampItems = R"([
  {"cell": "PSGroupCell", "label": "Light", "footerText": "Under the light", "footerAlignment": 2},
  {"cell": "PSSwitchCell", "label": "On", "key": "on", "defaults": "test.lamp", "default": true, "PostNotification": "test.lamp.changed"},
  {"cell": "PSSliderCell", "label": "Brightness", "key": "level", "defaults": "test.lamp", "min": 10, "max": 90, "showValue": true, "default": 50, "PostNotification": "test.lamp.changed"},
  {"cell": "PSSegmentCell", "label": "Colour", "key": "colour", "defaults": "test.lamp", "validTitles": ["Warm", "Cool"], "validValues": ["w", "c"], "default": "w", "PostNotification": "test.lamp.changed"},
  {"cell": "PSLinkListCell", "label": "Timer", "key": "timer", "defaults": "test.lamp", "validTitles": ["Never", "1 Hour"], "validValues": [0, 60], "default": 0, "PostNotification": "test.lamp.changed", "staticTextMessage": "The lamp goes dark after this time."},
  {"cell": "PSEditTextCell", "label": "Name", "key": "name", "defaults": "test.lamp", "placeholder": "Desk", "PostNotification": "test.lamp.changed"},
  {"cell": "PSTitleValueCell", "label": "Firmware", "key": "firmware", "defaults": "test.lamp", "default": "1.0"},
  {"cell": "PSStaticTextCell", "label": "Plain words", "alignment": 1},
  {"cell": "PSGiantCell", "label": "Too big"}
])";

class PlistPageTest : public ::testing::Test {
protected:
    TemporaryDevice device;

    // Writes JSON as a property list through plistlib, a second writer of the format.
    void writePlist(const std::string& devicePath, const std::string& json) {
        device.writeFile("/tmp/plist.json", json);
        device.writeFile(devicePath, "");
        runPython("import json,plistlib,sys; plistlib.dump(json.load(open(sys.argv[1])), open(sys.argv[2],\"wb\"))",
                  "'" + device.hostPath("/tmp/plist.json").string() + "' '" + device.hostPath(devicePath).string() + "'");
    }
    void writePage(const std::string& items) {
        writePlist(std::string(kBundle) + "/Lamp.plist", R"({"title": "Lamp", "items": )" + items + "}");
    }

    template <typename Control>
    std::shared_ptr<Control> control(PanelSession& session, const std::string& row) {
        return ViewQuery::controlInRowTitled<Control>(session.window(), row);
    }
    // The title of the row the tick stands in.
    std::string tickedRow(PanelSession& session) {
        auto tick = ViewQuery::findByText(session.window(), "\u2713");
        auto cell = tick ? std::dynamic_pointer_cast<UITableViewCell>(tick->superview()) : nullptr;
        return cell ? cell->textLabel()->text() : "(no tick)";
    }
    std::optional<NSTextAlignment> alignmentOf(PanelSession& session, const std::string& text) {
        auto label = std::dynamic_pointer_cast<UILabel>(ViewQuery::findByText(session.window(), text));
        return label ? std::optional(label->textAlignment()) : std::nullopt;
    }
    UITableViewCellStyle styleOf(PanelSession& session, const std::string& row) {
        auto views = ViewQuery::viewsInRowTitled(session.window(), row);
        auto cell = views.empty() ? nullptr : std::dynamic_pointer_cast<UITableViewCell>(views.front());
        return cell ? cell->style() : UITableViewCellStyle::Default;
    }
    std::string detailOf(PanelSession& session, const std::string& row) {
        auto views = ViewQuery::viewsInRowTitled(session.window(), row);
        auto cell = views.empty() ? nullptr : std::dynamic_pointer_cast<UITableViewCell>(views.front());
        return cell && cell->detailTextLabel() ? cell->detailTextLabel()->text() : "(none)";
    }
};

TEST_F(PlistPageTest, RowsShowTheirFileValuesOrTheirDefaults) {
    writePage(kLampItems);
    writePlist(kSettings, R"({"level": 95, "timer": 60, "firmware": "2.0", "kept": "yes"})");
    std::string logged;
    auto subscription = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity& activity) {
        if (activity.kind == ActivityKind::Log) logged += activity.detail;
    });
    PanelSession session("TestLampPage");
    EXPECT_EQ(session.topPage()->title(), "Lamp");
    for (const char* text : {"Light", "Under the light", "Plain words", "Too big"}) EXPECT_TRUE(session.shows(text)) << text;
    EXPECT_TRUE(session.switchOfRow("On")->isOn());
    auto slider = control<UISlider>(session, "Brightness");
    ASSERT_TRUE(slider);
    EXPECT_EQ(std::to_string(slider->minimumValue()) + " " + std::to_string(slider->value()) + " " +
                  std::to_string(slider->maximumValue()),
              "10.000000 90.000000 90.000000")
        << "95 is past the slider's end";
    EXPECT_FALSE(session.shows("Brightness")) << "a slider's label is not shown";
    EXPECT_EQ(slider->frame().origin.x, 15) << "the slider starts at the row's margin";
    EXPECT_TRUE(session.shows("90"));
    EXPECT_EQ(control<UISegmentedControl>(session, "Colour")->selectedSegmentIndex(), 0);
    EXPECT_EQ(detailOf(session, "Timer"), "1 Hour");
    EXPECT_EQ(styleOf(session, "Timer"), UITableViewCellStyle::Value1) << "the value beside the title";
    EXPECT_EQ(control<UITextField>(session, "Name")->text(), "");
    EXPECT_EQ(control<UITextField>(session, "Name")->placeholder(), "Desk");
    EXPECT_EQ(detailOf(session, "Firmware"), "2.0");
    EXPECT_EQ(detailOf(session, "Plain words"), "(none)");
    EXPECT_EQ(alignmentOf(session, "Under the light"), NSTextAlignment::Right);
    EXPECT_EQ(alignmentOf(session, "Plain words"), NSTextAlignment::Center);
    EXPECT_EQ(alignmentOf(session, "Firmware"), NSTextAlignment::Left);
    EXPECT_EQ(logged, "Settings: the row kind \u201CPSGiantCell\u201D of \u201CToo big\u201D is not known; it is shown as a plain row");
}

TEST_F(PlistPageTest, EachChangeIsWrittenWithTheOtherKeysThenNotified) {
    writePage(kLampItems);
    writePlist(kSettings, R"({"level": 70, "timer": 60, "kept": "yes"})");
    PanelSession session("TestLampPage");
    auto listener = NotificationCounter::listeningFor("test.lamp.changed");

    ASSERT_TRUE(session.tapSwitch("On"));
    control<UISlider>(session, "Brightness")->slideToValue(25);
    EXPECT_TRUE(session.shows("25"));
    ASSERT_TRUE(session.tap("Cool"));
    control<UITextField>(session, "Name")->enterText("Ada");
    EXPECT_EQ(listener->heard, 4);

    ASSERT_TRUE(session.tap("Timer"));
    EXPECT_EQ(session.topPage()->title(), "Timer");
    EXPECT_EQ(tickedRow(session), "1 Hour") << "the stored 60";
    EXPECT_TRUE(session.shows("The lamp goes dark after this time.")) << "the chooser's message under its choices";
    ASSERT_TRUE(session.tap("Never"));
    EXPECT_EQ(listener->heard, 5);
    EXPECT_EQ(tickedRow(session), "Never");
    ASSERT_TRUE(session.tap("Back"));
    EXPECT_EQ(detailOf(session, "Timer"), "Never");

    EXPECT_EQ(readWithPlistlib(device.hostPath(kSettings)),
              R"({"colour": "c", "kept": "yes", "level": 25.0, "name": "Ada", "on": false, "timer": 0})");
}

// Pages whose code keeps the values name no `defaults`: the row cannot keep its
// value here, and says so rather than losing it without a word.
TEST_F(PlistPageTest, ARowNamingNoDomainWritesNothingAndSaysSo) {
    writePage(R"([{"cell": "PSSwitchCell", "label": "Glow", "key": "glow", "default": true},
                  {"cell": "PSSwitchCell", "label": "Dim", "key": "dim", "defaults": "../escape"}])");
    std::vector<std::string> logged;
    auto subscription = ActivityMonitor::shared().subscribe([&](const ActivityMonitor::Activity& activity) {
        if (activity.kind == ActivityKind::Log) logged.push_back(activity.detail);
    });
    PanelSession session("TestLampPage");
    ASSERT_TRUE(session.tapSwitch("Glow"));
    ASSERT_TRUE(session.tapSwitch("Dim"));
    EXPECT_EQ(logged, (std::vector<std::string>{
                          "Settings: no defaults domain keeps \u201Cglow\u201D (the row names none, or a path); its value is "
                          "not written (on the phone the bundle's code keeps it)",
                          "Settings: no defaults domain keeps \u201Cdim\u201D (the row names none, or a path); its value is "
                          "not written (on the phone the bundle's code keeps it)"}));
    EXPECT_TRUE(fs::is_empty(device.hostPath("/var/mobile/Library/Preferences")));
}

TEST_F(PlistPageTest, AMalformedPageLoadsNoRowsAndSaysWhy) {
    const std::string file = std::string(kBundle) + "/Lamp.plist: ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "The page's bundle has no readable Lamp.plist."},
        {R"({"cell": "PSSwitchCell"})", file + "The page's \u201Citems\u201D is not a list."},
    };
    for (const auto& [items, error] : cases) {
        if (!items.empty()) writePage(items);
        auto page = alloc<LampPage>()->init();
        EXPECT_TRUE(page->specifiers()->empty()) << items;
        EXPECT_EQ(page->specifierLoadError(), error) << items;
    }
}

} // namespace
