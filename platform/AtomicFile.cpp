#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file's name ends in six characters from [A-Za-z0-9].
constexpr std::size_t kUniqueLength = 6;
constexpr std::string_view kUniqueCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kMostNameTries = 100;
// What open() gives a new file before the process's umask (and a default ACL) takes its part, as for any file.
constexpr mode_t kNewFileMode = 0666;

std::string temporaryPrefix(const std::filesystem::path& target) { return "." + target.filename().string() + "."; }

std::string uniqueSuffix() {
    thread_local std::mt19937 generator(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, kUniqueCharacters.size() - 1);
    std::string suffix(kUniqueLength, ' ');
    for (char& character : suffix) character = kUniqueCharacters[pick(generator)];
    return suffix;
}

} // namespace

// Not mkostemp: it makes the file 0600, and setting the usual mode after it
// means reading the umask, which can only be read by changing it for every
// thread of the process. open() applies the mask itself.
int AtomicFile::createTemporary(const std::filesystem::path& target, std::string& temporary) {
    for (int attempt = 0; attempt < kMostNameTries; ++attempt) {
        temporary = (target.parent_path() / (temporaryPrefix(target) + uniqueSuffix())).string();
        int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

bool AtomicFile::replace(const std::filesystem::path& target, const std::string& bytes) {
    std::string temporary;
    int descriptor = createTemporary(target, temporary);
    if (descriptor < 0) return false;
    bool written = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(target.parent_path());
    removeLeftoverTemporaries(target);
    return true;
}

bool AtomicFile::writeAll(int descriptor, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

bool AtomicFile::syncDirectory(const std::filesystem::path& directory) {
    int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

bool AtomicFile::isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target) {
    std::string name = candidate.filename().string();
    std::string prefix = temporaryPrefix(target);
    if (name.size() != prefix.size() + kUniqueLength || !name.starts_with(prefix)) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char character) { return std::isalnum(static_cast<unsigned char>(character)) != 0; });
}

// Run after the rename, so that the file is whole before anything else goes.
void AtomicFile::removeLeftoverTemporaries(const std::filesystem::path& target) {
    std::error_code status;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), status)) {
        if (isTemporaryOf(entry.path(), target)) std::filesystem::remove(entry.path(), status);
    }
}
