#pragma once

#include <string>
#include <vector>

// The favourites the benchmarks work with: emoji taken at even steps through
// the selection page's eight sections, so that marked rows are spread over the
// whole table, as a user's picks would be.
class BenchFavorites {
public:
    // The most the selection page admits, and the size of the file the
    // targets are stated for.
    static constexpr int kFullCount = 25;

    static std::vector<std::string> emoji(int count);

    // Writes the favourites file of the current device as the panel writes it;
    // false when it cannot be written.
    static bool writeFile(int count);

    // The favourites file's device path and its host path in the current device root.
    static std::string devicePath();
    static std::string hostPath();
};
