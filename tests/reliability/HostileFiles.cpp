#include "tests/reliability/HostileFiles.h"

#include "platform/PropertyList.h"
#include "tests/reliability/HandMadeBinaryPlist.h"

#include <plist/plist.h>

#include <sys/stat.h>

#include <fstream>

namespace {

constexpr std::size_t kDeepNesting = 200'000;
constexpr std::size_t kSharedLevels = 40;

std::string xml() { return PropertyList::xmlData(Value::dictionary({{"Enabled", false}, {"Skintone", true}})); }

// The file with one more key, "Note", holding `text`.
std::string withNote(const std::string& text) {
    std::string file = xml();
    file.insert(file.find("<dict>") + 6, "<key>Note</key><string>" + text + "</string>");
    return file;
}

std::string containsItself() {
    HandMadeBinaryPlist plist;
    plist.addDictionary({{1, 0}});
    plist.addAsciiString("Enabled");
    return plist.bytes(0);
}

std::string lyingObjectCount() {
    std::string file = binaryForm(xml());
    HandMadeBinaryPlist::setObjectCount(file, std::uint64_t{1} << 62);
    return file;
}

// The same file without line breaks, DOCTYPE or indentation.
std::string compactXml() {
    std::string compact;
    for (char character : xml()) {
        if (character != '\n' && character != '\t') compact += character;
    }
    std::size_t doctype = compact.find("<!DOCTYPE");
    return compact.erase(doctype, compact.find('>', doctype) + 1 - doctype);
}

std::string withCarriageReturns() {
    std::string crlf;
    for (char character : xml()) crlf += character == '\n' ? std::string("\r\n") : std::string(1, character);
    return crlf;
}

// The bytes are made when the form is placed: some run to megabytes.
HostileFile made(std::string name, std::function<std::string()> make) {
    return {std::move(name), [make = std::move(make)](const std::filesystem::path& path) {
                std::filesystem::create_directories(path.parent_path());
                std::ofstream(path, std::ios::binary) << make();
            }};
}

HostileFile placed(std::string name, std::function<void(const std::filesystem::path&)> make) {
    return {std::move(name), [make = std::move(make)](const std::filesystem::path& path) {
                std::filesystem::create_directories(path.parent_path());
                make(path);
            }};
}

} // namespace

std::string xmlPlist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

std::string nestedXml(std::size_t depth) {
    std::string body;
    for (std::size_t level = 0; level < depth; ++level) body += "<array>";
    for (std::size_t level = 0; level < depth; ++level) body += "</array>";
    return xmlPlist(body);
}

std::string binaryForm(const std::string& xml) {
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    char* bytes = nullptr;
    uint32_t length = 0;
    if (root) plist_to_bin(root, &bytes, &length);
    std::string binary(bytes ? bytes : "", bytes ? length : 0);
    std::free(bytes);
    plist_free(root);
    return binary;
}

std::vector<HostileFile> filesReadAsNone() {
    return {
        placed("Missing", [](const std::filesystem::path&) {}),
        made("Empty", [] { return std::string(); }),
        made("NulBytes", [] { return std::string(4096, '\0'); }),
        made("TruncatedXml", [] { return xml().substr(0, xml().size() / 2); }),
        made("TruncatedBinary", [] { return binaryForm(xml()).substr(0, binaryForm(xml()).size() - 1); }),
        made("InvalidUtf8", [] { return withNote("caf\xC3\x28 \xFF"); }),
        made("NulInsideText", [] { return withNote(std::string("nul\0byte", 8)); }),
        made("OtherTopLevel", [] { return xmlPlist("<array><string>Enabled</string></array>"); }),
        made("IntegerTopLevel", [] { return xmlPlist("<integer>3</integer>"); }),
        made("NestedXml200000", [] { return nestedXml(kDeepNesting); }),
        made("NestedBinary200000", [] { return HandMadeBinaryPlist::nestedArrays(kDeepNesting); }),
        made("BinaryContainsItself", containsItself),
        made("BinarySharedTwoToTheForty", [] { return HandMadeBinaryPlist::sharedArrays(kSharedLevels, 2); }),
        made("BinaryLyingObjectCount", lyingObjectCount),
        placed("Fifo", [](const std::filesystem::path& path) { ::mkfifo(path.c_str(), 0644); }),
        placed("Directory", [](const std::filesystem::path& path) { std::filesystem::create_directory(path); }),
        placed("LinkToDevZero", [](const std::filesystem::path& path) { std::filesystem::create_symlink("/dev/zero", path); }),
        placed("LinkToItself", [](const std::filesystem::path& path) { std::filesystem::create_symlink(path, path); }),
    };
}

std::vector<HostileFile> filesReadAsContent() {
    return {
        made("BinaryForm", [] { return binaryForm(xml()); }),
        made("ByteOrderMarkBeforeCompactXml", [] { return "\xEF\xBB\xBF" + compactXml(); }),
        made("GarbageAfterTheEnd", [] { return xml() + "garbage \xFF <dict>"; }),
        made("CarriageReturns", withCarriageReturns),
        placed("LinkToTheFile", [](const std::filesystem::path& path) {
            std::ofstream(path.string() + ".real", std::ios::binary) << xml();
            std::filesystem::create_symlink(path.string() + ".real", path);
        }),
    };
}
