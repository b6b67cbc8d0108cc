#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>

struct HttpResponse;

// Files served from one directory and nothing outside it: a request path is
// resolved with every symbolic link followed and must still lie inside the
// directory, be a regular file and have one of the allowed extensions.
class StaticFiles {
public:
    StaticFiles(const std::filesystem::path& root, std::set<std::string> extensions);

    std::optional<std::filesystem::path> resolve(const std::string& relativePath) const;
    // False (and nothing written) when the path does not resolve.
    bool serve(const std::string& relativePath, HttpResponse& response) const;

    static std::string contentType(const std::filesystem::path& path);

private:
    std::filesystem::path _root; // canonical; empty when the directory does not exist
    std::set<std::string> _extensions;
};
