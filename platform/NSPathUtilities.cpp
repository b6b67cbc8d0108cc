#include "platform/NSPathUtilities.h"

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

std::vector<std::string> componentsSeparatedByString(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t position = 0;
    for (std::size_t found; (found = text.find(separator, position)) != std::string::npos;) {
        pieces.push_back(text.substr(position, found - position));
        position = found + separator.size();
    }
    pieces.push_back(text.substr(position));
    return pieces;
}
