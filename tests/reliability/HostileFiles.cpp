#include "tests/reliability/HostileFiles.h"

#include "platform/PropertyList.h"
#include "tests/reliability/HandMadeBinaryPlist.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

constexpr std::size_t kDeepNesting = 200'000;
constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;
constexpr std::size_t kSharedLevels = 40;

// The XML form of `content` with one more element right after the opening
// tag of its top level: a key and its value for a dictionary.
std::string withExtraString(const Value& content, const std::string& text) {
    std::string xml = PropertyList::xmlData(content);
    bool dictionary = content.isDictionary();
    std::string opening = dictionary ? "<dict>" : "<array>";
    std::string element = (dictionary ? "<key>Note</key>" : "") + std::string("<string>") + text + "</string>";
    xml.insert(xml.find(opening) + opening.size(), element);
    return xml;
}

// The top level of the other kind, holding what `content` holds.
Value otherKind(const Value& content) {
    if (content.isArray()) return Value::dictionary({{"0", content.asArray()->empty() ? Value("") : content.asArray()->front()}});
    ValueArray keys;
    for (const auto& [key, value] : *content.asDictionary()) keys.push_back(Value(key));
    return Value::array(std::move(keys));
}

// A binary list whose top level contains itself.
std::string containsItself(const Value& content) {
    HandMadeBinaryPlist plist;
    if (content.isArray()) {
        plist.addArray({0});
        return plist.bytes(0);
    }
    plist.addDictionary({{1, 0}});
    plist.addAsciiString("Enabled");
    return plist.bytes(0);
}

std::string nestedXml(std::size_t depth) {
    std::string body;
    body.reserve(depth * 15);
    for (std::size_t level = 0; level < depth; ++level) body += "<array>";
    for (std::size_t level = 0; level < depth; ++level) body += "</array>";
    return xmlPlist(body);
}

std::string lyingObjectCount(const Value& content) {
    std::string file = binaryForm(PropertyList::xmlData(content));
    HandMadeBinaryPlist::setObjectCount(file, std::uint64_t{1} << 62);
    return file;
}

// Ten megabytes in all: the content and a long string beside it.
std::string tenMegabytes(const Value& content) { return withExtraString(content, std::string(kTenMegabytes, 'x')); }

// The same list without line breaks, DOCTYPE or indentation.
std::string compactXml(const std::string& xml) {
    std::string compact;
    bool inTag = false;
    for (char character : xml) {
        inTag = character == '<' ? true : character == '>' ? false : inTag;
        if (!inTag && (character == '\n' || character == '\t')) continue;
        compact += character;
    }
    std::size_t doctype = compact.find("<!DOCTYPE");
    if (doctype != std::string::npos) compact.erase(doctype, compact.find('>', doctype) + 1 - doctype);
    return compact;
}

HostileFile placedBy(std::string name, std::function<void(const std::filesystem::path&)> make) {
    return {std::move(name), [make](const TemporaryDevice& device, const std::string& devicePath) {
                auto path = device.hostPath(devicePath);
                std::filesystem::create_directories(path.parent_path());
                make(path);
            }};
}

} // namespace

std::string xmlPlist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n" +
           body + "\n</plist>\n";
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

HostileFile bytesCase(std::string name, std::string bytes) {
    return {std::move(name), [bytes = std::move(bytes)](const TemporaryDevice& device, const std::string& devicePath) {
                device.writeFile(devicePath, bytes);
            }};
}

std::vector<HostileFile> filesReadAsNone(const Value& content) {
    std::string xml = PropertyList::xmlData(content);
    return {
        {"Missing", [](const TemporaryDevice&, const std::string&) {}},
        bytesCase("Empty", ""),
        bytesCase("NulBytes", std::string(4096, '\0')),
        bytesCase("TruncatedXml", xml.substr(0, xml.size() / 2)),
        bytesCase("TruncatedBinary", binaryForm(xml).substr(0, binaryForm(xml).size() - 1)),
        bytesCase("InvalidUtf8", withExtraString(content, "caf\xC3\x28 \xFF")),
        bytesCase("NulInsideText", withExtraString(content, std::string("nul\0byte", 8))),
        bytesCase("ControlCharacter", withExtraString(content, "bell\x07")),
        bytesCase("ControlCharacterReference", withExtraString(content, "bell&#7;")),
        bytesCase("OtherTopLevel", PropertyList::xmlData(otherKind(content))),
        bytesCase("StringTopLevel", xmlPlist("<string>Enabled</string>")),
        bytesCase("IntegerTopLevel", xmlPlist("<integer>3</integer>")),
        bytesCase("TenMegabytes", tenMegabytes(content)),
        bytesCase("NestedXml200000", nestedXml(kDeepNesting)),
        bytesCase("NestedBinary200000", HandMadeBinaryPlist::nestedArrays(kDeepNesting)),
        bytesCase("BinaryContainsItself", containsItself(content)),
        bytesCase("BinarySharedTwoToTheForty", HandMadeBinaryPlist::sharedArrays(kSharedLevels, 2)),
        bytesCase("BinaryLyingObjectCount", lyingObjectCount(content)),
        placedBy("Fifo", [](const std::filesystem::path& path) { ::mkfifo(path.c_str(), 0644); }),
        placedBy("LinkToDevZero", [](const std::filesystem::path& path) {
            std::filesystem::create_symlink("/dev/zero", path);
        }),
        placedBy("LinkToItself", [](const std::filesystem::path& path) { std::filesystem::create_symlink(path, path); }),
    };
}

std::vector<HostileFile> filesReadAsContent(const Value& content) {
    std::string xml = PropertyList::xmlData(content);
    return {
        bytesCase("BinaryForm", binaryForm(xml)),
        bytesCase("ByteOrderMark", "\xEF\xBB\xBF" + xml),
        bytesCase("ByteOrderMarkBeforeCompactXml", "\xEF\xBB\xBF" + compactXml(xml)),
        bytesCase("GarbageAfterTheEnd", xml + "garbage \xFF <dict>"),
        bytesCase("CarriageReturns", [xml] {
            std::string crlf;
            for (char character : xml) crlf += character == '\n' ? std::string("\r\n") : std::string(1, character);
            return crlf;
        }()),
    };
}
