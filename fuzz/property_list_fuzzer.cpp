// Arbitrary bytes as a property list. Whatever is read must write back into a
// file that reads again, and XML written again must be the very same bytes
// (libplist numbers a binary file's objects as it meets them).
#include "platform/PropertyList.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fail(const char* what, const std::string& xml) {
    std::fprintf(stderr, "%s:\n%s\n", what, xml.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Value read = PropertyList::fromData(std::string(reinterpret_cast<const char*>(data), size));
    if (read.isNil()) return 0;
    std::string file = PropertyList::fileData(read);
    if (file.empty()) fail("a value that was read cannot be written", read.description());
    Value again = PropertyList::fromData(file);
    if (again.isNil()) fail("what was written does not read back", read.description());
    std::string second = PropertyList::fileData(again);
    if (PropertyList::fromData(second).isNil()) fail("what was read back cannot be written again", read.description());
    if (file.starts_with("<?xml") && second != file) fail("writing what was read back changes the file", file);
    return 0;
}
