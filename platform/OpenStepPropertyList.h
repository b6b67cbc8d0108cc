#pragma once

#include "platform/Value.h"

#include <optional>
#include <string_view>

// The old text form of property lists, as NeXTSTEP wrote it and Theos
// projects and strings tables still do:
//
//     { title = "Lamp"; items = ( { cell = PSSwitchCell; key = on; } ); icon = <89504e47>; }
//
// Quoted ("..." or '...') and unquoted strings, <hex data>, ( arrays ),
// { dictionaries }, // and /* */ comments; escapes \n \t \" \\ \a \b \f \r \v,
// octal \ooo and \Uxxxx (surrogate pairs as two). A file that is no single
// value is read as the body of a dictionary, `"key" = "value";` pairs, which is
// the form of a strings table; there `"key";` stands for `"key" = "key";`.
// Every value is text, data, an array or a dictionary: numbers stay text, as
// on the phone.
//
// Written by hand because libplist 2.2 (Debian 12) reads only the XML and the
// binary form; its reader for this form came with 2.3.
class OpenStepPropertyList {
public:
    // `text` is UTF-8 (see UnicodeText). Nullopt for malformed text, text
    // with no value in it, and containers nested deeper than `maximumDepth`.
    static std::optional<Value> parse(std::string_view text, int maximumDepth);
    // Whether the text holds nothing but white space and comments: an empty
    // strings table, where a property list would be malformed.
    static bool isBlank(std::string_view text);

private:
    OpenStepPropertyList(std::string_view text, int maximumDepth) : _text(text), _maximumDepth(maximumDepth) {}

    std::optional<Value> parseWhole();
    std::optional<Value> parseDictionaryBody();
    std::optional<Value> parseValue(int depth);
    std::optional<std::string> parseString();
    std::optional<std::string> parseQuotedString();
    std::optional<std::string> parseUnquotedString();
    bool parseEscape(std::string& text, char16_t& pendingHighSurrogate);
    std::optional<Value> parseData();
    std::optional<Value> parseArray(int depth);
    std::optional<Value> parseDictionary(int depth);
    // Reads `key = value;` pairs until `closing` (or the end of the text
    // when it is '\0').
    bool parsePairs(ValueDictionary& entries, char closing, int depth);

    // Skips white space and comments; false for a comment left open.
    bool skipSpace();
    bool atEnd() const { return _position >= _text.size(); }
    char peek() const { return atEnd() ? '\0' : _text[_position]; }

    std::string_view _text;
    std::size_t _position = 0;
    int _maximumDepth;
};
