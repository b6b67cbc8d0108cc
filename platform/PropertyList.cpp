#include "platform/PropertyList.h"

#include "platform/ActivityMonitor.h"
#include "platform/AtomicFile.h"
#include "platform/BinaryPropertyListShape.h"
#include "platform/Device.h"
#include "platform/OpenStepPropertyList.h"
#include "platform/PropertyListNode.h"
#include "platform/UnicodeText.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper nesting than any settings file needs is treated as a malformed file
// rather than walked: it keeps a hostile file from exhausting the stack.
constexpr int kMaximumDepth = 512;

// Foundation reads a file of any size; this reader stops at 64 MiB, far past
// any settings file (25 favourites take under 2 KB), so that a hostile file
// cannot make a page take gigabytes on every row it builds. libplist's tree
// of a 64 MiB file still fits a phone's memory several times over.
constexpr std::size_t kLargestFile = 64 * 1024 * 1024;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct MallocDeleter {
    void operator()(char* pointer) const { std::free(pointer); }
};
using MallocString = std::unique_ptr<char, MallocDeleter>;

// Text XML 1.0 can carry: well-formed UTF-8 without the control characters
// it forbids. Foundation reads and writes such characters in XML all the
// same, but plistlib and libxml2 refuse the file.
bool isXmlText(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) return false;
    return std::none_of(text.begin(), text.end(), [](char character) {
        auto byte = static_cast<unsigned char>(character);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
    });
}

bool hasWholeSeconds(Date date) { return date.time_since_epoch() % std::chrono::seconds(1) == Date::duration::zero(); }

// Whether the XML form holds the value exactly: it has no room for text XML
// forbids, and it writes dates in whole seconds where the binary form keeps
// their fraction.
bool fitsXml(const Value& value) {
    if (value.isString()) return isXmlText(value.asString());
    if (value.isDate()) return hasWholeSeconds(value.asDate());
    if (value.isArray() && value.asArray()) {
        return std::all_of(value.asArray()->begin(), value.asArray()->end(), fitsXml);
    }
    if (!value.isDictionary() || !value.asDictionary()) return true;
    return std::all_of(value.asDictionary()->begin(), value.asDictionary()->end(),
                       [](const auto& entry) { return isXmlText(entry.first) && fitsXml(entry.second); });
}

// The deepest nesting of arrays and dictionaries in an XML property list, by
// counting their tags: libplist's XML reader recurses once per level and
// would overflow the stack on a hostile file before telling us anything. Tags
// inside comments count too, which only errs towards refusing.
std::size_t xmlNestingDepth(std::string_view xml) {
    std::string_view text(xml);
    std::size_t depth = 0;
    std::size_t deepest = 0;
    for (std::size_t position = xml.find('<'); position != std::string::npos; position = xml.find('<', position + 1)) {
        bool closing = text.substr(position + 1).starts_with('/');
        std::size_t name = position + (closing ? 2 : 1);
        std::string_view tag = text.substr(name);
        if (!tag.starts_with("array") && !tag.starts_with("dict")) continue;
        std::size_t end = xml.find('>', name);
        if (end == std::string::npos) break;
        if (closing) {
            depth -= depth > 0 ? 1 : 0;
        } else if (xml[end - 1] != '/') {
            deepest = std::max(deepest, ++depth);
        }
    }
    return deepest;
}

// Reads up to the length the file had when opened, or less when it has
// shrunk since. Settings files are read on every row a page builds, so this
// is one read call into a buffer of the right size.
bool readUpTo(int descriptor, std::size_t length, std::string& bytes) {
    bytes.resize(length);
    std::size_t filled = 0;
    while (filled < length) {
        ssize_t result = ::read(descriptor, bytes.data() + filled, length - filled);
        if (result < 0 && errno == EINTR) continue;
        if (result < 0) return false;
        if (result == 0) break;
        filled += static_cast<std::size_t>(result);
    }
    bytes.resize(filled);
    return true;
}

// Only a regular file is read: a pipe or a device would never end (opening
// does not wait for a pipe's writer), and a directory has no bytes.
std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    if (path.empty()) return std::nullopt;
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return std::nullopt;
    struct stat status {};
    std::string bytes;
    // A larger file is not read at all: its bytes would be refused anyway.
    bool complete = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                    static_cast<std::size_t>(status.st_size) <= kLargestFile + kUtf8ByteOrderMark.size() &&
                    readUpTo(descriptor, static_cast<std::size_t>(status.st_size), bytes);
    ::close(descriptor);
    if (!complete) return std::nullopt;
    return bytes;
}

Value libplistToValue(std::string_view bytes) {
    plist_t rawRoot = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &rawRoot);
    PlistPointer root(rawRoot);
    if (!root) return Value();
    return PropertyListNode::toValue(root.get(), kMaximumDepth).value_or(Value());
}

// Whether decoded text is the XML form rather than the old text form, whose
// only value to start with '<' is data ("<0fbe>").
bool looksLikeXml(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return false;
    text.remove_prefix(start);
    return text.starts_with("<?xml") || text.starts_with("<!") || text.starts_with("<plist");
}

// A binary list is measured before libplist builds it, as deep nesting,
// self-reference and shared objects would make it recurse or copy without
// end; no list may expand to more nodes than its file has bytes.
Value binaryToValue(std::string_view bytes) {
    if (bytes.size() > kLargestFile) return Value();
    if (!BinaryPropertyListShape::isWithinLimits(bytes, kMaximumDepth, bytes.size())) return Value();
    return libplistToValue(bytes);
}

// No XML document holds a NUL byte; libplist would cut the text short at it.
Value xmlToValue(std::string_view xml) {
    if (xml.find('\0') != std::string_view::npos || xmlNestingDepth(xml) > kMaximumDepth) return Value();
    return libplistToValue(xml);
}

// Text: UTF-8 XML goes to libplist as it stands (which takes bytes after
// the end of the document, as Foundation does); UTF-16 is decoded first;
// any other text is the old text form, read by our own reader.
Value textToValue(std::string_view bytes) {
    std::string_view unmarked = bytes.starts_with(kUtf8ByteOrderMark) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
    if (looksLikeXml(unmarked)) return unmarked.size() > kLargestFile ? Value() : xmlToValue(unmarked);
    std::optional<std::string> text = UnicodeText::toUtf8(bytes);
    if (!text || text->empty() || text->size() > kLargestFile) return Value();
    if (looksLikeXml(*text)) return xmlToValue(*text);
    if (text->find('\0') != std::string::npos) return Value();
    return OpenStepPropertyList::parse(*text, kMaximumDepth).value_or(Value());
}

} // namespace

Value PropertyList::fromData(const std::string& data) {
    std::string_view bytes(data);
    if (bytes.empty() || bytes.size() > kLargestFile + kUtf8ByteOrderMark.size()) return Value();
    if (plist_is_binary(bytes.data(), static_cast<uint32_t>(bytes.size()))) return binaryToValue(bytes);
    return textToValue(bytes);
}

std::optional<std::string> PropertyList::fileBytes(const std::string& devicePath) {
    return readWholeFile(Device::shared().hostPath(devicePath));
}

Value PropertyList::read(const std::string& devicePath) {
    auto bytes = fileBytes(devicePath);
    return bytes ? fromData(*bytes) : Value();
}

std::shared_ptr<ValueDictionary> PropertyList::readDictionary(const std::string& devicePath) {
    Value contents = read(devicePath);
    return contents.isDictionary() ? contents.asDictionary() : nullptr;
}

std::shared_ptr<ValueArray> PropertyList::readArray(const std::string& devicePath) {
    Value contents = read(devicePath);
    return contents.isArray() ? contents.asArray() : nullptr;
}

std::string PropertyList::xmlData(const Value& value) {
    PlistPointer root = PropertyListNode::fromValue(value);
    if (!root) return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    plist_to_xml_free(xml);
    return result;
}

std::string PropertyList::binaryData(const Value& value) {
    PlistPointer root = PropertyListNode::fromValue(value);
    if (!root) return {};
    char* binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(root.get(), &binary, &length);
    MallocString owner(binary);
    return std::string(binary ? binary : "", binary ? length : 0);
}

std::string PropertyList::fileData(const Value& value) { return fitsXml(value) ? xmlData(value) : binaryData(value); }

bool PropertyList::write(const Value& value, const std::string& devicePath) {
    std::string bytes = fileData(value);
    std::filesystem::path target = Device::shared().hostPath(devicePath);
    bool written = !bytes.empty() && !target.empty() && AtomicFile::replace(target, bytes);
    ActivityMonitor::shared().record(ActivityKind::File, devicePath, written);
    return written;
}
