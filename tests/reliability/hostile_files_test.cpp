// The settings files as a user's disk may hold them, put once to the one
// reader every page reads its file through.
#include "platform/PropertyList.h"
#include "support/TemporaryDevice.h"
#include "tests/reliability/HostileFiles.h"

#include <gtest/gtest.h>

namespace {

const char* const kSettingsFile = "/var/mobile/Library/Preferences/com.korvent.vimblepreferences.plist";

TEST(HostileFilesTest, DamagedDisguisedAndOversizedFormsReadAsNone) {
    for (const auto& file : filesReadAsNone()) {
        TemporaryDevice device;
        file.place(device.hostPath(kSettingsFile));
        EXPECT_FALSE(PropertyList::readDictionary(kSettingsFile)) << file.name;
    }
}

TEST(HostileFilesTest, OtherFormsOfAGoodFileReadAsItsContent) {
    for (const auto& file : filesReadAsContent()) {
        TemporaryDevice device;
        file.place(device.hostPath(kSettingsFile));
        EXPECT_EQ(PropertyList::read(kSettingsFile), Value::dictionary({{"Enabled", false}, {"Skintone", true}})) << file.name;
    }
}

} // namespace
