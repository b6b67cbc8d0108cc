#include "platform/OpenStepPropertyList.h"

#include <utf8cpp/utf8.h>

#include <cctype>

namespace {

bool isUnquotedCharacter(char character) {
    return std::isalnum(static_cast<unsigned char>(character)) || character == '_' || character == '$' ||
           character == '/' || character == ':' || character == '.' || character == '-';
}

int hexDigitValue(char character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    return -1;
}

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char simpleEscape(char character) {
    switch (character) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return character; // \" \' \\ and any other character stand for themselves
    }
}

} // namespace

std::optional<Value> OpenStepPropertyList::parse(std::string_view text, int maximumDepth) {
    if (auto whole = OpenStepPropertyList(text, maximumDepth).parseWhole()) return whole;
    return OpenStepPropertyList(text, maximumDepth).parseDictionaryBody();
}

bool OpenStepPropertyList::isBlank(std::string_view text) {
    OpenStepPropertyList reader(text, 0);
    return reader.skipSpace() && reader.atEnd();
}

std::optional<Value> OpenStepPropertyList::parseWhole() {
    if (!skipSpace() || atEnd()) return std::nullopt;
    std::optional<Value> value = parseValue(0);
    if (!value || !skipSpace() || !atEnd()) return std::nullopt;
    return value;
}

std::optional<Value> OpenStepPropertyList::parseDictionaryBody() {
    if (!skipSpace() || atEnd()) return std::nullopt;
    ValueDictionary entries;
    if (!parsePairs(entries, '\0', 1)) return std::nullopt;
    return Value::dictionary(std::move(entries));
}

std::optional<Value> OpenStepPropertyList::parseValue(int depth) {
    switch (peek()) {
    case '{': return parseDictionary(depth + 1);
    case '(': return parseArray(depth + 1);
    case '<': return parseData();
    default: break;
    }
    std::optional<std::string> text = parseString();
    if (!text) return std::nullopt;
    return Value(std::move(*text));
}

std::optional<std::string> OpenStepPropertyList::parseString() {
    if (peek() == '"' || peek() == '\'') return parseQuotedString();
    return parseUnquotedString();
}

std::optional<std::string> OpenStepPropertyList::parseUnquotedString() {
    std::size_t start = _position;
    while (!atEnd() && isUnquotedCharacter(peek())) ++_position;
    if (_position == start) return std::nullopt;
    return std::string(_text.substr(start, _position - start));
}

std::optional<std::string> OpenStepPropertyList::parseQuotedString() {
    char quote = _text[_position++];
    std::string text;
    char16_t pendingHighSurrogate = 0;
    while (!atEnd()) {
        char character = _text[_position++];
        if (character == '\\') {
            if (!parseEscape(text, pendingHighSurrogate)) return std::nullopt;
            continue;
        }
        if (pendingHighSurrogate) return std::nullopt;
        if (character == quote) return text;
        text += character;
    }
    return std::nullopt; // the quote was never closed
}

// Appends what one escape stands for. A \U high surrogate waits for the \U
// low surrogate that must follow it; a surrogate alone is no character. An
// escaped NUL makes the file unreadable: no text of the platform holds one.
bool OpenStepPropertyList::parseEscape(std::string& text, char16_t& pendingHighSurrogate) {
    if (atEnd()) return false;
    char character = _text[_position++];
    bool isCodeUnit = character == 'U' || character == 'u';
    if (pendingHighSurrogate && !isCodeUnit) return false;
    if (isCodeUnit) {
        char32_t unit = 0;
        for (int digits = 0; digits < 4 && !atEnd() && hexDigitValue(peek()) >= 0; ++digits) {
            unit = unit * 16 + static_cast<char32_t>(hexDigitValue(_text[_position++]));
        }
        if (pendingHighSurrogate) {
            if (!isLowSurrogate(unit)) return false;
            unit = 0x10000 + ((pendingHighSurrogate - 0xD800) << 10) + (unit - 0xDC00);
            pendingHighSurrogate = 0;
        } else if (isHighSurrogate(unit)) {
            pendingHighSurrogate = static_cast<char16_t>(unit);
            return true;
        } else if (isLowSurrogate(unit) || unit == 0) {
            return false;
        }
        utf8::append(unit, std::back_inserter(text));
        return true;
    }
    if (character >= '0' && character <= '7') {
        // Up to three octal digits: one byte of the NeXTSTEP encoding, read
        // here as Latin-1 above ASCII, where the two nearly agree.
        char32_t code = static_cast<char32_t>(character - '0');
        for (int digits = 1; digits < 3 && peek() >= '0' && peek() <= '7'; ++digits) {
            code = code * 8 + static_cast<char32_t>(_text[_position++] - '0');
        }
        if ((code & 0xFF) == 0) return false;
        utf8::append(code & 0xFF, std::back_inserter(text));
        return true;
    }
    text += simpleEscape(character);
    return true;
}

std::optional<Value> OpenStepPropertyList::parseData() {
    ++_position; // '<'
    Data data;
    int pendingNibble = -1;
    while (!atEnd()) {
        char character = _text[_position++];
        if (character == '>') {
            if (pendingNibble >= 0) return std::nullopt; // an odd number of digits
            return Value(std::move(data));
        }
        if (std::isspace(static_cast<unsigned char>(character))) continue;
        int nibble = hexDigitValue(character);
        if (nibble < 0) return std::nullopt;
        if (pendingNibble < 0) {
            pendingNibble = nibble;
            continue;
        }
        data.bytes.push_back(static_cast<std::uint8_t>(pendingNibble * 16 + nibble));
        pendingNibble = -1;
    }
    return std::nullopt;
}

std::optional<Value> OpenStepPropertyList::parseArray(int depth) {
    if (depth > _maximumDepth) return std::nullopt;
    ++_position; // '('
    ValueArray elements;
    while (true) {
        if (!skipSpace()) return std::nullopt;
        if (peek() == ')') break;
        std::optional<Value> element = parseValue(depth);
        if (!element) return std::nullopt;
        elements.push_back(std::move(*element));
        if (!skipSpace()) return std::nullopt;
        if (peek() == ',') {
            ++_position; // a comma may also follow the last element
            continue;
        }
        if (peek() != ')') return std::nullopt;
    }
    ++_position; // ')'
    return Value::array(std::move(elements));
}

std::optional<Value> OpenStepPropertyList::parseDictionary(int depth) {
    if (depth > _maximumDepth) return std::nullopt;
    ++_position; // '{'
    ValueDictionary entries;
    if (!parsePairs(entries, '}', depth)) return std::nullopt;
    ++_position; // '}'
    return Value::dictionary(std::move(entries));
}

bool OpenStepPropertyList::parsePairs(ValueDictionary& entries, char closing, int depth) {
    while (true) {
        if (!skipSpace()) return false;
        if (peek() == closing) return closing != '\0' || atEnd();
        std::optional<std::string> key = parseString();
        if (!key || !skipSpace()) return false;
        // A later pair with the same key wins, as when Foundation reads the file.
        if (peek() == ';') {
            ++_position;
            entries[*key] = Value(*key);
            continue;
        }
        if (peek() != '=') return false;
        ++_position;
        if (!skipSpace()) return false;
        std::optional<Value> value = parseValue(depth);
        if (!value || !skipSpace()) return false;
        // Strings tables ship with the last pair's ';' missing, and the phone
        // reads them all the same; inside braces the ';' stays required.
        bool lastOfTable = closing == '\0' && atEnd();
        if (peek() != ';' && !lastOfTable) return false;
        if (!lastOfTable) ++_position;
        entries[*key] = std::move(*value);
    }
}

bool OpenStepPropertyList::skipSpace() {
    while (!atEnd()) {
        std::string_view rest = _text.substr(_position);
        if (std::isspace(static_cast<unsigned char>(rest.front()))) {
            ++_position;
        } else if (rest.starts_with("//")) {
            std::size_t end = _text.find('\n', _position);
            _position = end == std::string_view::npos ? _text.size() : end + 1;
        } else if (rest.starts_with("/*")) {
            std::size_t end = _text.find("*/", _position + 2);
            if (end == std::string_view::npos) return false;
            _position = end + 2;
        } else {
            return true;
        }
    }
    return true;
}
