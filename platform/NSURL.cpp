#include "platform/NSURL.h"

#include <algorithm>
#include <cctype>

namespace {

bool isSchemeCharacter(char character) {
    return std::isalnum(static_cast<unsigned char>(character)) || character == '+' || character == '-' ||
           character == '.';
}

bool hasForbiddenCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char character) {
        auto byte = static_cast<unsigned char>(character);
        return byte <= 0x20 || byte == 0x7f || character == '"' || character == '<' || character == '>' ||
               character == '\\' || character == '^' || character == '`' || character == '{' ||
               character == '|' || character == '}';
    });
}

} // namespace

std::shared_ptr<NSURL> NSURL::URLWithString(const std::string& text) {
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || hasForbiddenCharacter(text)) return nullptr;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return nullptr;
    std::string scheme = text.substr(0, colon);
    if (!std::all_of(scheme.begin(), scheme.end(), isSchemeCharacter)) return nullptr;
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    auto url = alloc<NSURL>();
    url->_absoluteString = text;
    url->_scheme = std::move(scheme);
    return url;
}
