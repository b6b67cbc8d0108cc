#include "platform/NSPathUtilities.h"

#include <algorithm>
#include <string_view>

std::string NSHomeDirectory() { return "/var/mobile"; }

namespace {

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

} // namespace

std::string stringByAppendingPathComponent(const std::string& path, const std::string& component) {
    std::string base = withoutTrailingSlashes(path);
    std::size_t start = component.find_first_not_of('/');
    std::string tail = start == std::string::npos ? std::string() : withoutTrailingSlashes(component.substr(start));
    if (tail.empty()) return base;
    if (base.empty()) return tail;
    return base == "/" ? "/" + tail : base + "/" + tail;
}

std::string stringByAppendingPathExtension(const std::string& path, const std::string& extension) {
    return withoutTrailingSlashes(path) + "." + extension;
}

std::string stringWithFormat(const std::string& format, const std::vector<std::string>& arguments) {
    static const std::string placeholder = "%@";
    std::string result;
    std::size_t next = 0;
    std::size_t position = 0;
    for (std::size_t found; (found = format.find(placeholder, position)) != std::string::npos;) {
        result.append(format, position, found - position);
        if (next < arguments.size()) result += arguments[next++];
        position = found + placeholder.size();
    }
    result.append(format, position);
    return result;
}

namespace {

// The common case, a one-character separator, as a plain scan: no search call
// per piece, which matters for lists of hundreds of short pieces.
std::vector<std::string> splitAtCharacter(std::string_view whole, char separator) {
    std::vector<std::string> pieces;
    pieces.reserve(static_cast<std::size_t>(std::count(whole.begin(), whole.end(), separator)) + 1);
    std::size_t start = 0;
    for (std::size_t index = 0; index < whole.size(); ++index) {
        if (whole[index] != separator) continue;
        pieces.emplace_back(whole.substr(start, index - start));
        start = index + 1;
    }
    pieces.emplace_back(whole.substr(start));
    return pieces;
}

} // namespace

// Counts the pieces first so that they are built in place, once each: callers
// split long lists on every call (a table row build among them).
std::vector<std::string> componentsSeparatedByString(std::string_view whole, std::string_view separator) {
    if (separator.empty()) return {std::string(whole)};
    if (separator.size() == 1) return splitAtCharacter(whole, separator.front());
    std::size_t count = 1;
    for (std::size_t found = 0; (found = whole.find(separator, found)) != std::string_view::npos; found += separator.size()) {
        ++count;
    }
    std::vector<std::string> pieces;
    pieces.reserve(count);
    std::size_t position = 0;
    for (std::size_t found; (found = whole.find(separator, position)) != std::string_view::npos;) {
        pieces.emplace_back(whole.substr(position, found - position));
        position = found + separator.size();
    }
    pieces.emplace_back(whole.substr(position));
    return pieces;
}
