// PreferenceLoader's pl_filter and Preferences' requiredCapabilities against
// the simulated phone's system and capabilities, with the forms entries use.
#include "host/PLFilter.h"
#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

Value item(const std::string& openStepText) { return PropertyList::fromData(openStepText); }

TEST(PLFilterTest, TheSystemsCoreFoundationNumbers) {
    TemporaryDevice device;
    EXPECT_EQ(Device::shared().systemVersion(), "17.0") << "the newest by default";
    const std::pair<std::string, double> cases[] = {{"7.0", 847.20},   {"8.0", 1140.10},   {"9.0", 1240.10},  {"10.0", 1348.00},
                                                     {"11.0", 1443.00}, {"12.0", 1556.00},  {"13.0", 1665.15}, {"14.0", 1751.108},
                                                     {"15.0", 1854.0},  {"16.0", 1946.10},  {"17.0", 2015.0}};
    for (const auto& [system, number] : cases) {
        EXPECT_TRUE(Device::shared().setSystemVersion(system));
        EXPECT_EQ(Device::shared().coreFoundationVersionNumber(), number) << system;
    }
    EXPECT_FALSE(Device::shared().setSystemVersion("6.1"));
    EXPECT_EQ(Device::shared().systemVersion(), "17.0") << "an unknown system changes nothing";
}

TEST(PLFilterTest, CoreFoundationVersionRangesAgainstEachSystem) {
    TemporaryDevice device;
    struct Case { std::string entry, shownOn; }; // shown on which of the systems 9.0, 13.0, 14.0, 17.0
    const Case cases[] = {
        {"{ label = Any; }", "9 13 14 17"},
        {"{ pl_filter = { CoreFoundationVersion = (1665.15); }; }", "13 14 17"},
        {"{ pl_filter = { CoreFoundationVersion = (\"1665.15\"); }; }", "13 14 17"},
        {"{ pl_filter = { CoreFoundationVersion = (1665.16); }; }", "14 17"},
        {"{ pl_filter = { CoreFoundationVersion = (1240.10, 1751.108); }; }", "9 13"},
        {"{ pl_filter = { CoreFoundationVersion = (0, 1240.10); }; }", ""},
        {"{ pl_filter = { CoreFoundationVersion = (); }; }", "9 13 14 17"},
        {"{ pl_filter = { CoreFoundationVersion = 2000; }; }", "9 13 14 17"},
        {"{ pl_filter = { Executables = (SpringBoard); }; }", "9 13 14 17"},
        {"{ pl_filter = (1665.15); }", "9 13 14 17"},
    };
    for (const auto& [entry, shownOn] : cases) {
        std::string shown;
        for (const std::string system : {"9", "13", "14", "17"}) {
            ASSERT_TRUE(Device::shared().setSystemVersion(system + ".0"));
            if (PLFilter::itemPasses(*item(entry).asDictionary())) shown += (shown.empty() ? "" : " ") + system;
        }
        EXPECT_EQ(shown, shownOn) << entry;
    }
}

TEST(PLFilterTest, NumbersOfAnXmlEntryFilterAsWell) {
    TemporaryDevice device;
    Value entry = Value::dictionary(
        {{"pl_filter", Value::dictionary({{"CoreFoundationVersion", Value::array({1443, 1751.108})}})}});
    std::string shown;
    for (const std::string system : {"10.0", "11.0", "14.0"}) {
        Device::shared().setSystemVersion(system);
        shown += PLFilter::itemPasses(*entry.asDictionary()) ? "on " : "off ";
    }
    EXPECT_EQ(shown, "off on off ");
}

TEST(PLFilterTest, RequiredCapabilitiesAgainstThePhonesCapabilities) {
    TemporaryDevice device;
    Device::shared().setCapabilities({"telephony", "wifi", "front-facing-camera"});
    const std::pair<std::string, bool> cases[] = {
        {"{ requiredCapabilities = (telephony); }", true},          {"{ requiredCapabilities = (telephony, wifi); }", true},
        {"{ requiredCapabilities = (telephony, nfc); }", false},    {"{ requiredCapabilities = (); }", true},
        {"{ requiredCapabilities = ((telephony)); }", false},       {"{ requiredCapabilities = { wifi = false; }; }", false},
        {"{ requiredCapabilities = { wifi = 1; nfc = NO; }; }", true}, {"{ requiredCapabilities = { nfc = YES; }; }", false},
        {"{ requiredCapabilities = telephony; }", true},
        {"{ requiredCapabilities = (wifi); pl_filter = { CoreFoundationVersion = (3000); }; }", false},
    };
    for (const auto& [entry, shown] : cases) EXPECT_EQ(PLFilter::itemPasses(*item(entry).asDictionary()), shown) << entry;
}

TEST(PLFilterTest, ANewPhoneHasTheCapabilitiesOfACurrentIPhone) {
    Device::shared().setCapabilities({});
    TemporaryDevice device;
    for (const std::string capability : {"arm64", "telephony", "wifi", "still-camera", "gps", "bluetooth-le"}) {
        EXPECT_TRUE(PLFilter::capabilitiesPass(Value::array({capability}))) << capability;
    }
    EXPECT_FALSE(PLFilter::capabilitiesPass(Value::array({"armv6"})));
}

} // namespace
