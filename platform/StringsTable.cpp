#include "platform/StringsTable.h"

#include "platform/Device.h"
#include "platform/OpenStepPropertyList.h"
#include "platform/PropertyList.h"
#include "platform/UnicodeText.h"

#include <sys/stat.h>

#include <ctime>
#include <tuple>
#include <unordered_map>

namespace {

// What tells one version of a file from another without reading it. An
// atomic replace gives a new inode even within the clock's resolution.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return std::tie(device, inode, size, modified.tv_sec, modified.tv_nsec) ==
               std::tie(other.device, other.inode, other.size, other.modified.tv_sec, other.modified.tv_nsec);
    }
};

std::optional<FileStamp> stampOf(const std::string& devicePath) {
    std::filesystem::path hostPath = Device::shared().hostPath(devicePath);
    struct stat status {};
    if (hostPath.empty() || ::stat(hostPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

// The kernel stamps a file's times from a clock that ticks every few
// milliseconds, so a file rewritten in place to the same size within a tick
// keeps its stamp. A file changed within the last seconds is therefore
// compared byte for byte with what was read (git's "racy clean" rule):
// cheaper than parsing it again, and never stale.
constexpr std::time_t kRacySeconds = 2;

bool isRecent(const FileStamp& stamp) { return stamp.modified.tv_sec + kRacySeconds >= std::time(nullptr); }

struct CachedTable {
    FileStamp stamp;
    std::string bytes;
    std::shared_ptr<const StringsTable> table;
};

// Tables of every bundle and language seen, by host path (two device roots
// never share a path). Bounded: past this many the cache starts afresh.
constexpr std::size_t kMostCachedTables = 256;

std::unordered_map<std::string, CachedTable>& cache() {
    static std::unordered_map<std::string, CachedTable> tables;
    return tables;
}

} // namespace

std::optional<StringsTable> StringsTable::fromData(const std::string& bytes) {
    Value contents = PropertyList::fromData(bytes);
    StringsTable table;
    if (contents.isNil()) {
        std::optional<std::string> text = UnicodeText::toUtf8(bytes);
        if (text && OpenStepPropertyList::isBlank(*text)) return table;
        return std::nullopt;
    }
    if (!contents.isDictionary()) return std::nullopt;
    for (const auto& [key, value] : *contents.asDictionary()) {
        if (value.isString()) table._entries.emplace(key, value.asString());
    }
    return table;
}

std::shared_ptr<const StringsTable> StringsTable::load(const std::string& devicePath) {
    std::string key = Device::shared().hostPath(devicePath).string();
    // Stamped before reading: a change during the read is seen on the next lookup.
    std::optional<FileStamp> stamp = stampOf(devicePath);
    if (!stamp) {
        cache().erase(key);
        return nullptr;
    }
    auto cached = cache().find(key);
    bool stampMatches = cached != cache().end() && cached->second.stamp == *stamp;
    if (stampMatches && !isRecent(*stamp)) return cached->second.table;
    std::optional<std::string> bytes = PropertyList::fileBytes(devicePath);
    if (stampMatches && bytes == cached->second.bytes) return cached->second.table;
    std::optional<StringsTable> table = bytes ? fromData(*bytes) : std::nullopt;
    auto shared = table ? std::make_shared<const StringsTable>(std::move(*table)) : nullptr;
    if (cache().size() >= kMostCachedTables) cache().clear();
    cache()[key] = CachedTable{*stamp, bytes.value_or(std::string()), shared};
    return shared;
}

const std::string* StringsTable::find(const std::string& key) const {
    auto found = _entries.find(key);
    return found == _entries.end() ? nullptr : &found->second;
}
