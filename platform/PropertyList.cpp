#include "platform/PropertyList.h"

#include "platform/ActivityMonitor.h"
#include "platform/BinaryPropertyListShape.h"
#include "platform/Device.h"

#include <plist/plist.h>
#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper nesting than any settings file needs is treated as a malformed file
// rather than walked: it keeps a hostile file from exhausting the stack.
constexpr int kMaximumDepth = 512;

// Far larger than any settings file (25 favourites take under 2 KB): a larger
// file reads as malformed, so that a hostile one costs neither the memory nor
// the parsing time on every row a page builds.
constexpr std::size_t kLargestFile = 1024 * 1024;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Seconds between the Unix epoch and the property-list epoch, 2001-01-01.
constexpr std::int64_t kReferenceDateOffset = 978307200;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<void, PlistDeleter>;

struct MallocDeleter {
    void operator()(char* pointer) const { std::free(pointer); }
};
using MallocString = std::unique_ptr<char, MallocDeleter>;

// Text an XML property list can carry: well-formed UTF-8 without the control
// characters XML 1.0 forbids. libplist reads and writes any bytes, so a file
// holding others would be written back as one that strict XML readers
// (plistlib, libxml2) refuse; such a file reads as malformed instead, and such
// text is not written.
bool isXmlText(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) return false;
    return std::none_of(text.begin(), text.end(), [](char character) {
        auto byte = static_cast<unsigned char>(character);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
    });
}

std::optional<Value> valueFromNode(plist_t node, int depth);

// Walked with an iterator: libplist 2.2 finds an element of an array read
// from the binary form by index by walking from the first, which made reading
// a long array cost the square of its length.
std::optional<Value> arrayFromNode(plist_t node, int depth) {
    auto array = std::make_shared<ValueArray>();
    array->reserve(plist_array_get_size(node));
    plist_array_iter iterator = nullptr;
    plist_array_new_iter(node, &iterator);
    std::unique_ptr<void, decltype(&std::free)> iteratorOwner(iterator, &std::free);
    for (;;) {
        plist_t item = nullptr;
        plist_array_next_item(node, iterator, &item);
        if (!item) break;
        auto element = valueFromNode(item, depth + 1);
        if (!element) return std::nullopt;
        array->push_back(std::move(*element));
    }
    return Value(array);
}

std::optional<Value> dictionaryFromNode(plist_t node, int depth) {
    auto dictionary = std::make_shared<ValueDictionary>();
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    std::unique_ptr<void, decltype(&std::free)> iteratorOwner(iterator, &std::free);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &rawKey, &item);
        MallocString key(rawKey);
        if (!item) break;
        auto element = valueFromNode(item, depth + 1);
        if (!element || !key || !isXmlText(key.get())) return std::nullopt;
        (*dictionary)[key.get()] = std::move(*element);
    }
    return Value(dictionary);
}

std::optional<Value> scalarFromNode(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t boolean = 0;
        plist_get_bool_val(node, &boolean);
        return Value(boolean != 0);
    }
    case PLIST_UINT: {
        uint64_t integer = 0;
        plist_get_uint_val(node, &integer);
        return Value(static_cast<std::int64_t>(integer));
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return Value(real);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        std::string string(text ? text : "", text ? length : 0);
        if (!isXmlText(string)) return std::nullopt;
        return Value(std::move(string));
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        auto sinceEpoch = std::chrono::seconds(seconds + kReferenceDateOffset) + std::chrono::microseconds(microseconds);
        return Value(Date(std::chrono::duration_cast<Date::duration>(sinceEpoch)));
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        MallocString owner(bytes);
        Data data;
        data.bytes.assign(bytes, bytes + length);
        return Value(std::move(data));
    }
    default:
        return std::nullopt;
    }
}

std::optional<Value> valueFromNode(plist_t node, int depth) {
    if (!node || depth > kMaximumDepth) return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_ARRAY:
        return arrayFromNode(node, depth);
    case PLIST_DICT:
        return dictionaryFromNode(node, depth);
    default:
        return scalarFromNode(node);
    }
}

PlistPointer nodeFromValue(const Value& value);

PlistPointer arrayNode(const ValueArray& array) {
    PlistPointer node(plist_new_array());
    for (const Value& element : array) {
        PlistPointer item = nodeFromValue(element);
        if (!item) return nullptr;
        plist_array_append_item(node.get(), item.release());
    }
    return node;
}

PlistPointer dictionaryNode(const ValueDictionary& dictionary) {
    PlistPointer node(plist_new_dict());
    for (const auto& [key, element] : dictionary) {
        PlistPointer item = nodeFromValue(element);
        if (!item || !isXmlText(key)) return nullptr;
        plist_dict_set_item(node.get(), key.c_str(), item.release());
    }
    return node;
}

PlistPointer dateNode(Date date) {
    auto sinceEpoch = std::chrono::duration_cast<std::chrono::microseconds>(date.time_since_epoch()).count();
    std::int64_t sinceReference = sinceEpoch - kReferenceDateOffset * 1'000'000;
    auto seconds = static_cast<int32_t>(sinceReference / 1'000'000);
    auto microseconds = static_cast<int32_t>(sinceReference % 1'000'000);
    return PlistPointer(plist_new_date(seconds, microseconds));
}

// Objects and classes have no property-list form: such a value is not written.
PlistPointer nodeFromValue(const Value& value) {
    if (value.isBool()) return PlistPointer(plist_new_bool(value.asBool()));
    if (value.isInteger()) return PlistPointer(plist_new_uint(static_cast<uint64_t>(value.asInteger())));
    if (value.isReal()) return PlistPointer(plist_new_real(value.asReal()));
    if (value.isString()) {
        return isXmlText(value.asString()) ? PlistPointer(plist_new_string(value.asString().c_str())) : nullptr;
    }
    if (value.isDate()) return dateNode(value.asDate());
    if (value.isData()) {
        const auto& bytes = value.asData().bytes;
        return PlistPointer(plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (value.isArray() && value.asArray()) return arrayNode(*value.asArray());
    if (value.isDictionary() && value.asDictionary()) return dictionaryNode(*value.asDictionary());
    return nullptr;
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
    bool complete = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                    readUpTo(descriptor, static_cast<std::size_t>(status.st_size), bytes);
    ::close(descriptor);
    if (!complete) return std::nullopt;
    return bytes;
}

bool writeAll(int descriptor, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

bool syncDirectory(const std::filesystem::path& directory) {
    int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// The file mode a newly created file would get under the current umask.
mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool replaceFileAtomically(const std::filesystem::path& target, const std::string& bytes) {
    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return false;
    bool written = writeAll(descriptor, bytes) && ::fchmod(descriptor, newFileMode()) == 0 && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(target.parent_path());
    return true;
}

} // namespace

// A binary list is measured before libplist builds it, as deep nesting,
// self-reference and shared objects would make it recurse or copy without
// end; no list may expand to more nodes than its file has bytes.
Value PropertyList::fromData(const std::string& data) {
    std::string_view bytes(data);
    // Skipped here: libplist takes a byte-order mark or not depending on what follows it.
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (bytes.empty() || bytes.size() > kLargestFile) return Value();
    auto size = static_cast<uint32_t>(bytes.size());
    bool isBinary = plist_is_binary(bytes.data(), size);
    if (isBinary && !BinaryPropertyListShape::isWithinLimits(bytes, kMaximumDepth, bytes.size())) return Value();
    // No XML document holds a NUL byte; libplist would cut the text short at it.
    bool hasNul = bytes.find('\0') != std::string_view::npos;
    if (!isBinary && (hasNul || xmlNestingDepth(bytes) > kMaximumDepth)) return Value();
    plist_t rawRoot = nullptr;
    plist_from_memory(bytes.data(), size, &rawRoot);
    PlistPointer root(rawRoot);
    if (!root) return Value();
    return valueFromNode(root.get(), 0).value_or(Value());
}

Value PropertyList::read(const std::string& devicePath) {
    auto bytes = readWholeFile(Device::shared().hostPath(devicePath));
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
    PlistPointer root = nodeFromValue(value);
    if (!root) return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    plist_to_xml_free(xml);
    return result;
}

bool PropertyList::write(const Value& value, const std::string& devicePath) {
    std::string xml = xmlData(value);
    std::filesystem::path target = Device::shared().hostPath(devicePath);
    bool written = !xml.empty() && !target.empty() && replaceFileAtomically(target, xml);
    ActivityMonitor::shared().record(ActivityKind::File, devicePath, written);
    return written;
}
