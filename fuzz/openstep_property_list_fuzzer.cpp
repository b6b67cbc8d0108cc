// Arbitrary bytes as a property list in the old text form (in UTF-8 or
// UTF-16). Whatever is read must write into a file that reads back equal.
#include "platform/PropertyList.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Value read = PropertyList::fromData(std::string(reinterpret_cast<const char*>(data), size));
    if (read.isNil()) return 0;
    std::string file = PropertyList::fileData(read);
    if (file.empty() || !(PropertyList::fromData(file) == read)) {
        std::fprintf(stderr, "what was read does not write and read back:\n%s\n", read.description().c_str());
        std::abort();
    }
    return 0;
}
