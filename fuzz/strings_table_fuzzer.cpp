// Arbitrary bytes as a bundle's strings table, looked up as a page looks up
// its texts: the table read from memory and from the file must agree, and a
// lookup always answers.
#include "platform/Device.h"
#include "platform/NSBundle.h"
#include "platform/StringsTable.h"
#include "support/TemporaryDevice.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::string kBundle = "/Library/PreferenceBundles/Fuzz.bundle";
const std::string kTable = kBundle + "/en.lproj/Root.strings";

const TemporaryDevice& device() {
    static const TemporaryDevice& device = *[] {
        if (std::filesystem::exists("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
        return new TemporaryDevice(TemporaryDevice::Images::Missing);
    }();
    return device;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    device().writeFile(kTable, bytes);
    auto fromMemory = StringsTable::fromData(bytes);
    auto fromFile = StringsTable::load(kTable);
    if (fromMemory.has_value() != (fromFile != nullptr)) fail("the file and its bytes read differently");
    if (fromFile && fromFile->size() != fromMemory->size()) fail("the file and its bytes hold different tables");
    auto bundle = NSBundle::bundleWithPath(kBundle);
    for (const std::string key : {"TITLE", "A", ""}) {
        std::string text = bundle->localizedStringForKey_value_table(key, "", "Root");
        if (!fromFile || !fromFile->find(key)) {
            if (text != key) fail("a missing key does not answer itself");
        }
    }
    return 0;
}
