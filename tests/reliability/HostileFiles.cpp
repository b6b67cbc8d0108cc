#include "tests/reliability/HostileFiles.h"

#include "platform/PropertyList.h"
#include "tests/reliability/HandMadeBinaryPlist.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

constexpr std::size_t kDeepNesting = 200'000;
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

// The bytes are made when the case is placed: some run to megabytes, and a
// test program makes every case of its tables when it starts.
HostileFile madeCase(std::string name, std::function<std::string()> make) {
    return {std::move(name), [make = std::move(make)](const TemporaryDevice& device, const std::string& devicePath) {
                device.writeFile(devicePath, make());
            }};
}

std::vector<HostileFile> filesReadAsNone(const Value& content) {
    auto xml = [content] { return PropertyList::xmlData(content); };
    return {
        {"Missing", [](const TemporaryDevice&, const std::string&) {}},
        madeCase("Empty", [] { return std::string(); }),
        madeCase("NulBytes", [] { return std::string(4096, '\0'); }),
        madeCase("TruncatedXml", [xml] { return xml().substr(0, xml().size() / 2); }),
        madeCase("TruncatedBinary", [xml] { return binaryForm(xml()).substr(0, binaryForm(xml()).size() - 1); }),
        madeCase("InvalidUtf8", [content] { return withExtraString(content, "caf\xC3\x28 \xFF"); }),
        madeCase("NulInsideText", [content] { return withExtraString(content, std::string("nul\0byte", 8)); }),
        madeCase("OtherTopLevel", [content] { return PropertyList::xmlData(otherKind(content)); }),
        madeCase("StringTopLevel", [] { return xmlPlist("<string>Enabled</string>"); }),
        madeCase("IntegerTopLevel", [] { return xmlPlist("<integer>3</integer>"); }),
        madeCase("NestedXml200000", [] { return nestedXml(kDeepNesting); }),
        madeCase("NestedBinary200000", [] { return HandMadeBinaryPlist::nestedArrays(kDeepNesting); }),
        madeCase("BinaryContainsItself", [content] { return containsItself(content); }),
        madeCase("BinarySharedTwoToTheForty", [] { return HandMadeBinaryPlist::sharedArrays(kSharedLevels, 2); }),
        madeCase("BinaryLyingObjectCount", [content] { return lyingObjectCount(content); }),
        placedBy("Fifo", [](const std::filesystem::path& path) { ::mkfifo(path.c_str(), 0644); }),
        placedBy("LinkToDevZero", [](const std::filesystem::path& path) {
            std::filesystem::create_symlink("/dev/zero", path);
        }),
        placedBy("LinkToItself", [](const std::filesystem::path& path) { std::filesystem::create_symlink(path, path); }),
    };
}

std::vector<HostileFile> filesReadAsContent(const Value& content) {
    auto xml = [content] { return PropertyList::xmlData(content); };
    return {
        madeCase("BinaryForm", [xml] { return binaryForm(xml()); }),
        madeCase("ByteOrderMark", [xml] { return "\xEF\xBB\xBF" + xml(); }),
        madeCase("ByteOrderMarkBeforeCompactXml", [xml] { return "\xEF\xBB\xBF" + compactXml(xml()); }),
        madeCase("GarbageAfterTheEnd", [xml] { return xml() + "garbage \xFF <dict>"; }),
        madeCase("CarriageReturns", [xml] {
            std::string crlf;
            for (char character : xml()) crlf += character == '\n' ? std::string("\r\n") : std::string(1, character);
            return crlf;
        }),
    };
}
