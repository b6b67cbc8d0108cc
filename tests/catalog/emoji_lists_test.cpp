#include "catalog/VimbleCharManager.h"

#include <gtest/gtest.h>
#include <utf8.h>

#include <cstdint>

namespace {

using List = std::vector<std::string> (VimbleCharManager::*)() const;

// FNV-1a over the bytes: one changed byte of a list changes its digest.
std::uint64_t digest(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
    return hash;
}

struct ListFacts {
    const char* name;
    List list;
    std::size_t elements;
    std::size_t utf16Units; // of the elements joined by single spaces
    std::uint64_t digest;   // of the same text as UTF-8
};

const ListFacts kLists[] = {
    {"yellowVariant", &VimbleCharManager::yellowVariant, 64, 188, 0xd4c3f19e4421589cu},
    {"paleVariant", &VimbleCharManager::paleVariant, 64, 313, 0x06afb0dc17b00ff2u},
    {"creamWhiteVariant", &VimbleCharManager::creamWhiteVariant, 64, 313, 0x633d0394ca9c88dcu},
    {"moderateBrownVariant", &VimbleCharManager::moderateBrownVariant, 64, 313, 0xd0695dad1cd22b66u},
    {"darkBrownVariant", &VimbleCharManager::darkBrownVariant, 64, 313, 0x7a96df3a9b83dc04u},
    {"blackVariant", &VimbleCharManager::blackVariant, 64, 313, 0xcbe6730cf076b3e2u},
    {"peopleEmoji", &VimbleCharManager::peopleEmoji, 200, 737, 0x48abcff894ccaa37u},
    {"natureEmoji", &VimbleCharManager::natureEmoji, 151, 448, 0x5bc6e884dca7b6feu},
    {"foodAndDrinkEmoji", &VimbleCharManager::foodAndDrinkEmoji, 67, 200, 0xd96fa452864e2d57u},
    {"activityEmoji", &VimbleCharManager::activityEmoji, 57, 167, 0x72d4e1b14904a581u},
    {"travelAndPlacesEmoji", &VimbleCharManager::travelAndPlacesEmoji, 115, 341, 0xf8dbd43d90a28a33u},
    {"objectsEmoji", &VimbleCharManager::objectsEmoji, 179, 520, 0xf6191939872c2da3u},
    {"symbolsEmoji", &VimbleCharManager::symbolsEmoji, 268, 797, 0xc5a7cd6e20178ff7u},
    {"flagsEmoji", &VimbleCharManager::flagsEmoji, 247, 1234, 0x1f309719f3a41cdcu},
};

TEST(EmojiLists, HoldTheirElementsToTheByte) {
    VimbleCharManager catalog;
    for (const auto& facts : kLists) {
        std::vector<std::string> elements = (catalog.*facts.list)();
        std::string text;
        for (const auto& element : elements) text += (text.empty() ? "" : " ") + element;
        EXPECT_EQ(elements.size(), facts.elements) << facts.name;
        EXPECT_EQ(utf8::utf8to16(text).size(), facts.utf16Units) << facts.name;
        EXPECT_EQ(digest(text), facts.digest) << facts.name;
    }
}

} // namespace
