// The floor under the panel: what any program pays on this machine to read
// and parse the favourites file, and to replace it durably. The panel's own
// benchmarks are judged against these two.

#include "bench/BenchFavorites.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kSettingsFileMode = 0644; // the add-on, another program, reads it

bool readWhole(const std::string& path, std::string& bytes) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    struct stat status {};
    bool ok = ::fstat(descriptor, &status) == 0;
    bytes.resize(ok ? static_cast<std::size_t>(status.st_size) : 0);
    ok = ok && ::read(descriptor, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(descriptor);
    return ok;
}

bool writeWhole(int descriptor, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

bool syncDirectory(const std::string& directory) {
    int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// A temporary file beside the target, flushed, renamed over it, and the
// directory flushed so that the rename itself survives a power cut.
bool replaceDurably(const std::string& target, const std::string& bytes) {
    std::filesystem::path targetPath(target);
    std::string temporary = (targetPath.parent_path() / ("." + targetPath.filename().string() + ".XXXXXX")).string();
    int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return false;
    bool written = writeWhole(descriptor, bytes) && ::fchmod(descriptor, kSettingsFileMode) == 0 &&
                   ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return syncDirectory(targetPath.parent_path().string());
}

void BM_FloorFavoritesRead(benchmark::State& state) {
    TemporaryDevice device;
    if (!BenchFavorites::writeFile(BenchFavorites::kFullCount)) return state.SkipWithError("cannot write favourites");
    const std::string path = BenchFavorites::hostPath();
    for (auto _ : state) {
        std::string bytes;
        if (!readWhole(path, bytes)) return state.SkipWithError("cannot read favourites");
        plist_t root = nullptr;
        plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
        if (plist_array_get_size(root) != BenchFavorites::kFullCount) return state.SkipWithError("wrong favourites");
        plist_free(root);
    }
}
BENCHMARK(BM_FloorFavoritesRead)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_FloorAtomicWrite(benchmark::State& state) {
    TemporaryDevice device;
    if (!BenchFavorites::writeFile(BenchFavorites::kFullCount)) return state.SkipWithError("cannot write favourites");
    const std::string path = BenchFavorites::hostPath();
    std::string bytes;
    if (!readWhole(path, bytes)) return state.SkipWithError("cannot read favourites");
    for (auto _ : state) {
        if (!replaceDurably(path, bytes)) return state.SkipWithError("cannot replace favourites");
    }
}
BENCHMARK(BM_FloorAtomicWrite)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
