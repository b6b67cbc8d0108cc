// Arbitrary bytes as a property list. Whatever is read must write back as XML
// that reads again, and writing that again must give the very same bytes:
// a file the panel writes is always one it, and any other reader, can read.
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
    std::string xml = PropertyList::xmlData(read);
    if (xml.empty()) fail("a value that was read cannot be written", read.description());
    Value again = PropertyList::fromData(xml);
    if (again.isNil()) fail("written XML does not read back", xml);
    if (PropertyList::xmlData(again) != xml) fail("writing what was read back changes the file", xml);
    return 0;
}
