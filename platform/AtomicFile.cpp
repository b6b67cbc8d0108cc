#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// mkostemp's template: six characters from [A-Za-z0-9] replace these.
constexpr std::string_view kUniqueSuffix = "XXXXXX";

std::string temporaryPrefix(const std::filesystem::path& target) { return "." + target.filename().string() + "."; }

// The file mode a newly created file would get under the current umask.
mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool AtomicFile::replace(const std::filesystem::path& target, const std::string& bytes) {
    std::string temporary = (target.parent_path() / (temporaryPrefix(target) + std::string(kUniqueSuffix))).string();
    int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return false;
    bool written = writeAll(descriptor, bytes) && ::fchmod(descriptor, newFileMode()) == 0 && ::fsync(descriptor) == 0;
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
    if (name.size() != prefix.size() + kUniqueSuffix.size() || !name.starts_with(prefix)) return false;
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
