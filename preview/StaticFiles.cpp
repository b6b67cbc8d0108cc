#include "preview/StaticFiles.h"

#include "preview/HttpResponse.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool isInside(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end() && pathAt != path.end();
}

} // namespace

StaticFiles::StaticFiles(const fs::path& root, std::set<std::string> extensions) : _extensions(std::move(extensions)) {
    std::error_code status;
    _root = fs::canonical(root, status);
    if (status) _root.clear();
}

std::optional<fs::path> StaticFiles::resolve(const std::string& relativePath) const {
    if (_root.empty() || relativePath.find('\0') != std::string::npos) return std::nullopt;
    std::string relative = relativePath;
    relative.erase(0, relative.find_first_not_of('/'));
    if (relative.empty()) return std::nullopt;
    std::error_code status;
    fs::path resolved = fs::canonical(_root / relative, status);
    if (status || !isInside(resolved, _root) || !fs::is_regular_file(resolved, status)) return std::nullopt;
    if (!_extensions.contains(resolved.extension().string())) return std::nullopt;
    return resolved;
}

bool StaticFiles::serve(const std::string& relativePath, HttpResponse& response) const {
    auto path = resolve(relativePath);
    if (!path) return false;
    std::ifstream file(*path, std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    response.setContent(contents.str(), contentType(*path));
    return true;
}

std::string StaticFiles::contentType(const fs::path& path) {
    static const std::map<std::string, std::string> kTypes{
        {".html", "text/html; charset=utf-8"}, {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},   {".png", "image/png"},
        {".svg", "image/svg+xml"},             {".json", "application/json"},
        {".ico", "image/x-icon"}};
    auto found = kTypes.find(path.extension().string());
    return found == kTypes.end() ? "application/octet-stream" : found->second;
}
