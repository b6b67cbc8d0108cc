#include "catalog/VimbleCharManager.h"

#include <gtest/gtest.h>
#include <utf8cpp/utf8.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using List = std::vector<std::string> (VimbleCharManager::*)() const;

constexpr char32_t kPresentationSelector = 0xFE0F;
constexpr char32_t kZeroWidthJoiner = 0x200D;
constexpr char32_t kCombiningKeycap = 0x20E3;

std::vector<std::string> elements(List list) {
    VimbleCharManager catalog;
    return (catalog.*list)();
}

bool isSkinToneModifier(char32_t c) { return c >= 0x1F3FB && c <= 0x1F3FF; }
bool isRegionalIndicator(char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }
bool isKeycapBase(char32_t c) { return (c >= U'0' && c <= U'9') || c == U'#' || c == U'*'; }

bool isJoinedSequence(const std::u32string& s) {
    if (s.find(kZeroWidthJoiner) == std::u32string::npos) return false;
    bool joinerAtEdge = s.front() == kZeroWidthJoiner || s.back() == kZeroWidthJoiner;
    return !joinerAtEdge && s.find(std::u32string(2, kZeroWidthJoiner)) == std::u32string::npos;
}

// Names the one form an emoji may take; anything else is "other".
std::string formOf(const std::string& element) {
    if (element.empty()) return "empty";
    if (!utf8::is_valid(element)) return "invalid";
    std::u32string s = utf8::utf8to32(element);
    if (s.size() == 1) return "single";
    if (isJoinedSequence(s)) return "joined";
    if (s.size() == 2 && s[1] == kPresentationSelector) return "presentation";
    if (s.size() == 2 && isSkinToneModifier(s[1])) return "toned";
    if (s.size() == 2 && isRegionalIndicator(s[0]) && isRegionalIndicator(s[1])) return "flag";
    if (s.size() == 3 && isKeycapBase(s[0]) && s[1] == kPresentationSelector && s[2] == kCombiningKeycap) return "keycap";
    return "other";
}

// "joined 18, presentation 5, single 177": how many elements take each form.
std::string formCounts(const std::vector<std::string>& list) {
    std::map<std::string, int> counts;
    for (const auto& element : list) ++counts[formOf(element)];
    std::string summary;
    for (const auto& [form, count] : counts) summary += (summary.empty() ? "" : ", ") + form + " " + std::to_string(count);
    return summary;
}

// "14 44 158-160": 1-based positions of the elements of one form, runs shortened.
std::string positionsOf(const std::vector<std::string>& list, const std::string& form) {
    std::string result;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (formOf(list[i]) != form) continue;
        std::size_t last = i;
        while (last + 1 < list.size() && formOf(list[last + 1]) == form) ++last;
        result += (result.empty() ? "" : " ") + std::to_string(i + 1);
        if (last > i) result += "-" + std::to_string(last + 1);
        i = last;
    }
    return result;
}

std::string storedText(const std::vector<std::string>& list) {
    std::string text;
    for (const auto& element : list) text += (text.empty() ? "" : " ") + element;
    return text;
}

std::string withoutPresentationSelector(const std::string& element) {
    std::u32string s = utf8::utf8to32(element);
    std::erase(s, kPresentationSelector);
    return utf8::utf32to8(s);
}

struct ListFacts {
    const char* name;
    List list;
    std::size_t elements;
    std::size_t utf16Units;
    std::size_t repeats;
    const char* forms;
};

const ListFacts kListFacts[] = {
    {"yellowVariant", &VimbleCharManager::yellowVariant, 64, 188, 0, "presentation 3, single 61"},
    {"paleVariant", &VimbleCharManager::paleVariant, 64, 313, 0, "toned 64"},
    {"creamWhiteVariant", &VimbleCharManager::creamWhiteVariant, 64, 313, 0, "toned 64"},
    {"moderateBrownVariant", &VimbleCharManager::moderateBrownVariant, 64, 313, 0, "toned 64"},
    {"darkBrownVariant", &VimbleCharManager::darkBrownVariant, 64, 313, 0, "toned 64"},
    {"blackVariant", &VimbleCharManager::blackVariant, 64, 313, 0, "toned 64"},
    {"peopleEmoji", &VimbleCharManager::peopleEmoji, 200, 737, 0, "joined 18, presentation 5, single 177"},
    {"natureEmoji", &VimbleCharManager::natureEmoji, 151, 448, 4, "presentation 11, single 140"},
    {"foodAndDrinkEmoji", &VimbleCharManager::foodAndDrinkEmoji, 67, 200, 0, "presentation 1, single 66"},
    {"activityEmoji", &VimbleCharManager::activityEmoji, 57, 167, 0, "presentation 3, single 54"},
    {"travelAndPlacesEmoji", &VimbleCharManager::travelAndPlacesEmoji, 115, 341, 0, "presentation 7, single 108"},
    {"objectsEmoji", &VimbleCharManager::objectsEmoji, 179, 520, 1, "presentation 7, single 172"},
    {"symbolsEmoji", &VimbleCharManager::symbolsEmoji, 268, 797, 0, "joined 1, keycap 12, presentation 80, single 175"},
    {"flagsEmoji", &VimbleCharManager::flagsEmoji, 247, 1234, 0, "flag 247"},
};

void PrintTo(const ListFacts& facts, std::ostream* out) { *out << facts.name; }

class EmojiListTest : public testing::TestWithParam<ListFacts> {};

TEST_P(EmojiListTest, HoldsItsElementsInTheirForms) {
    const ListFacts& facts = GetParam();
    std::vector<std::string> list = elements(facts.list);

    EXPECT_EQ(list.size(), facts.elements);
    EXPECT_EQ(utf8::utf8to16(storedText(list)).size(), facts.utf16Units);
    // Only the weather run of nature and the pen of objects stand twice.
    EXPECT_EQ(list.size() - std::set(list.begin(), list.end()).size(), facts.repeats);
    // An empty, malformed or unknown element shows up here as a form of its own.
    EXPECT_EQ(formCounts(list), facts.forms);
}

INSTANTIATE_TEST_SUITE_P(AllLists, EmojiListTest, testing::ValuesIn(kListFacts),
                         [](const auto& row) { return std::string(row.param.name); });

struct FormPositions {
    const char* name;
    List list;
    const char* form;
    const char* positions;
};

// Where the multi-code-point emoji stand; the favourites file compares them
// byte for byte, so a selector moved to a neighbour is a different emoji.
const FormPositions kFormPositions[] = {
    {"yellowVariant", &VimbleCharManager::yellowVariant, "presentation", "33 39 51"},
    {"peopleEmoji", &VimbleCharManager::peopleEmoji, "presentation", "14 44 94 99 107"},
    {"peopleEmoji", &VimbleCharManager::peopleEmoji, "joined", "152-153 155-156 158-171"},
    {"natureEmoji", &VimbleCharManager::natureEmoji, "presentation", "118 123 125 128 132 135 139 141-142 147-148"},
    {"foodAndDrinkEmoji", &VimbleCharManager::foodAndDrinkEmoji, "presentation", "64"},
    {"activityEmoji", &VimbleCharManager::activityEmoji, "presentation", "1 4 9"},
    {"travelAndPlacesEmoji", &VimbleCharManager::travelAndPlacesEmoji, "presentation", "38 41 49 51 64 72 111"},
    {"objectsEmoji", &VimbleCharManager::objectsEmoji, "presentation", "1 24 37 111 158 173 175"},
    {"symbolsEmoji", &VimbleCharManager::symbolsEmoji, "keycap", "133-142 177-178"},
    {"symbolsEmoji", &VimbleCharManager::symbolsEmoji, "joined", "241"},
};

TEST(EmojiListForms, StandWhereTheCatalogPutsThem) {
    for (const auto& expected : kFormPositions) {
        SCOPED_TRACE(std::string(expected.name) + " " + expected.form);
        EXPECT_EQ(positionsOf(elements(expected.list), expected.form), expected.positions);
    }
}

struct KnownElement {
    List list;
    std::size_t position;
    const char* text;
};

// Elements whose exact code points are easy to lose in an edit: selectors
// inside joined sequences, keycaps, the deliberate repeats and a toned form
// whose plain form carries a selector.
const KnownElement kKnownElements[] = {
    {&VimbleCharManager::peopleEmoji, 152, "👩‍❤️‍👩"},
    {&VimbleCharManager::peopleEmoji, 153, "👨‍❤️‍👨"},
    {&VimbleCharManager::peopleEmoji, 155, "👩‍❤️‍💋‍👩"},
    {&VimbleCharManager::peopleEmoji, 156, "👨‍❤️‍💋‍👨"},
    {&VimbleCharManager::natureEmoji, 133, "🔥"},
    {&VimbleCharManager::natureEmoji, 134, "💥"},
    {&VimbleCharManager::natureEmoji, 135, "❄️"},
    {&VimbleCharManager::natureEmoji, 136, "🌨"},
    {&VimbleCharManager::natureEmoji, 137, "🔥"},
    {&VimbleCharManager::natureEmoji, 138, "💥"},
    {&VimbleCharManager::natureEmoji, 139, "❄️"},
    {&VimbleCharManager::natureEmoji, 140, "🌨"},
    {&VimbleCharManager::objectsEmoji, 170, "🖊"},
    {&VimbleCharManager::objectsEmoji, 171, "🖊"},
    {&VimbleCharManager::symbolsEmoji, 133, "0️⃣"},
    {&VimbleCharManager::symbolsEmoji, 142, "9️⃣"},
    {&VimbleCharManager::symbolsEmoji, 177, "#️⃣"},
    {&VimbleCharManager::symbolsEmoji, 178, "*️⃣"},
    {&VimbleCharManager::symbolsEmoji, 241, "👁‍🗨"},
    {&VimbleCharManager::yellowVariant, 33, "☝️"},
    {&VimbleCharManager::creamWhiteVariant, 33, "☝🏼"},
};

TEST(EmojiListForms, KnownElementsHoldTheirExactCodePoints) {
    for (const auto& known : kKnownElements) {
        std::vector<std::string> list = elements(known.list);
        ASSERT_LE(known.position, list.size());
        EXPECT_EQ(list[known.position - 1], known.text) << "element " << known.position;
    }
}

struct TonedList {
    const char* name;
    List list;
    char32_t modifier;
};

const TonedList kTonedLists[] = {
    {"paleVariant", &VimbleCharManager::paleVariant, 0x1F3FB},
    {"creamWhiteVariant", &VimbleCharManager::creamWhiteVariant, 0x1F3FC},
    {"moderateBrownVariant", &VimbleCharManager::moderateBrownVariant, 0x1F3FD},
    {"darkBrownVariant", &VimbleCharManager::darkBrownVariant, 0x1F3FE},
    {"blackVariant", &VimbleCharManager::blackVariant, 0x1F3FF},
};

TEST(SkinToneVariants, AreThePlainFormsWithoutSelectorAndWithTheirTone) {
    std::vector<std::string> plain = elements(&VimbleCharManager::yellowVariant);
    for (const auto& toned : kTonedLists) {
        std::vector<std::string> list = elements(toned.list);
        ASSERT_EQ(list.size(), plain.size()) << toned.name;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            std::string expected = withoutPresentationSelector(plain[i]);
            utf8::append(toned.modifier, expected);
            EXPECT_EQ(list[i], expected) << toned.name << " element " << i + 1;
        }
    }
}

TEST(SkinToneVariants, PlainFormsComeFromPeopleAndActivity) {
    std::vector<std::string> plain = elements(&VimbleCharManager::yellowVariant);
    std::vector<std::string> people = elements(&VimbleCharManager::peopleEmoji);
    std::vector<std::string> activity = elements(&VimbleCharManager::activityEmoji);
    auto contains = [](const std::vector<std::string>& list, const std::string& element) {
        return std::find(list.begin(), list.end(), element) != list.end();
    };
    std::string outsidePeople;
    for (std::size_t i = 0; i < 56; ++i) {
        if (!contains(people, plain[i])) outsidePeople += (outsidePeople.empty() ? "" : " ") + std::to_string(i + 1);
    }
    // Thumbs down, open hands and raised hand with fingers splayed have no section.
    EXPECT_EQ(outsidePeople, "32 44 52");
    for (std::size_t i = 56; i < plain.size(); ++i) EXPECT_TRUE(contains(activity, plain[i])) << "element " << i + 1;
}

TEST(EmojiSections, HoldTheWholeCatalog) {
    const List sections[] = {&VimbleCharManager::peopleEmoji,       &VimbleCharManager::natureEmoji,
                             &VimbleCharManager::foodAndDrinkEmoji, &VimbleCharManager::activityEmoji,
                             &VimbleCharManager::travelAndPlacesEmoji, &VimbleCharManager::objectsEmoji,
                             &VimbleCharManager::symbolsEmoji,      &VimbleCharManager::flagsEmoji};
    std::size_t total = 0;
    for (List section : sections) total += elements(section).size();
    EXPECT_EQ(total, 1284u);
}

} // namespace
