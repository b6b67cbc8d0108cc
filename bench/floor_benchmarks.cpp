// The floor under the panel: what any program pays on this machine to read
// and parse the favourites file, and to replace it durably (the platform's
// atomic replacement of bytes already made, nothing turned into a property
// list). The panel's own benchmarks are judged against these two.

#include "bench/BenchFavorites.h"
#include "platform/AtomicFile.h"
#include "support/TemporaryDevice.h"

#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
        if (!AtomicFile::replace(path, bytes)) return state.SkipWithError("cannot replace favourites");
    }
}
BENCHMARK(BM_FloorAtomicWrite)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
