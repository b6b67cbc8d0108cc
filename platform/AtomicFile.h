#pragma once

#include <filesystem>
#include <string>

// Replacing a file whole: the bytes go to a temporary file beside it
// (".<name>.XXXXXX"), which is flushed to disk and renamed over the file,
// after which the directory is flushed too. A reader sees the old file or the
// new one, never a mix, and a failed replacement leaves the old file as it
// was and no temporary file behind. The new file takes the mode any new file
// takes (0666 less the process's umask), and the process's state is left
// alone: other threads may be creating files meanwhile.
//
// A writer killed during a replacement leaves its temporary file; the next
// replacement of the same file that succeeds removes every temporary file of
// that name. Only one writer per file is expected (the main thread): a second
// one writing the same file at the same moment could lose its replacement.
class AtomicFile {
public:
    static bool replace(const std::filesystem::path& target, const std::string& bytes);

private:
    // Creates a new temporary file beside `target`, named in `temporary`; its descriptor, or -1.
    static int createTemporary(const std::filesystem::path& target, std::string& temporary);
    static bool writeAll(int descriptor, const std::string& bytes);
    static bool syncDirectory(const std::filesystem::path& directory);
    static bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target);
    static void removeLeftoverTemporaries(const std::filesystem::path& target);
};
