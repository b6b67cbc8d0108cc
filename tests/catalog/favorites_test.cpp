#include "catalog/VimbleCharManager.h"

#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The favourites as a short readable line, so a failure shows both lists.
std::string contents(const std::shared_ptr<ValueArray>& favorites) {
    return favorites ? Value(favorites).description() : "null";
}

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n";
}

std::string stringArray(const std::vector<std::string>& strings) {
    std::string body = "<array>";
    for (const auto& string : strings) body += "<string>" + string + "</string>";
    return plist(body + "</array>");
}

std::shared_ptr<VimbleCharManager> freshCatalog() {
    auto catalog = alloc<VimbleCharManager>();
    EXPECT_TRUE(catalog->init());
    return catalog;
}

struct FileCase {
    const char* name;
    std::string file; // empty: no favourites file at all
    std::string favorites;
};

void PrintTo(const FileCase& fileCase, std::ostream* out) { *out << fileCase.name; }

std::string repeated(const std::string& text, int times, const std::string& separator) {
    std::string result;
    for (int i = 0; i < times; ++i) result += (i ? separator : "") + text;
    return result;
}

const FileCase kFileCases[] = {
    {"NoFile", "", "()"},
    {"Dictionary", plist("<dict><key>0</key><string>\U0001F600</string></dict>"), "()"},
    {"NotAPropertyList", "\U0001F600 \U0001F601", "()"},
    // The catalog neither checks nor limits the favourites: the selection page does.
    {"ArrayTakenAsItStands",
     plist("<array><string>\U0001F996</string><string>\U0001F600</string><string>not an emoji</string>"
           "<string>\U0001F600</string><integer>7</integer><string>\U0001F1FF\U0001F1FC</string></array>"),
     "(\"\U0001F996\", \"\U0001F600\", \"not an emoji\", \"\U0001F600\", 7, \"\U0001F1FF\U0001F1FC\")"},
    {"ArrayLongerThanTheSelectionLimit", stringArray(std::vector<std::string>(30, "\U0001F44D")),
     "(" + repeated("\"\U0001F44D\"", 30, ", ") + ")"},
};

class GetEmojiTest : public testing::TestWithParam<FileCase> {
protected:
    TemporaryDevice _device;
};

TEST_P(GetEmojiTest, ReadsTheFavoritesFile) {
    if (!GetParam().file.empty()) _device.writeFile(TemporaryDevice::favoritesFile(), GetParam().file);
    auto catalog = freshCatalog();
    // Start from no array at all, so the reload alone has to supply one.
    catalog->setEmoji(nullptr);

    catalog->getEmoji();

    EXPECT_EQ(contents(catalog->emoji()), GetParam().favorites);
}

INSTANTIATE_TEST_SUITE_P(FavoritesFiles, GetEmojiTest, testing::ValuesIn(kFileCases),
                         [](const auto& row) { return std::string(row.param.name); });

class FavoritesTest : public testing::Test {
protected:
    void writeFavorites(const std::vector<std::string>& favorites) {
        _device.writeFile(TemporaryDevice::favoritesFile(), stringArray(favorites));
    }

    TemporaryDevice _device;
};

TEST_F(FavoritesTest, InitLoadsTheFavorites) {
    writeFavorites({"\U0001F44D"});
    EXPECT_EQ(contents(freshCatalog()->emoji()), "(\"\U0001F44D\")");
}

TEST_F(FavoritesTest, EveryCallerEditsTheSameArrayUntilItIsReloaded) {
    auto catalog = freshCatalog();
    std::shared_ptr<ValueArray> held = catalog->emoji();
    held->emplace_back("\U0001F600");
    EXPECT_EQ(catalog->emoji(), held);
    EXPECT_EQ(contents(catalog->emoji()), "(\"\U0001F600\")");

    writeFavorites({"\U0001F436", "\U0001F431"});
    catalog->getEmoji();

    EXPECT_NE(catalog->emoji(), held);
    EXPECT_EQ(contents(catalog->emoji()), "(\"\U0001F436\", \"\U0001F431\")");
    // Whoever kept the old array keeps what it held.
    EXPECT_EQ(contents(held), "(\"\U0001F600\")");
}

TEST_F(FavoritesTest, SharedInstanceIsOneCatalog) {
    auto first = VimbleCharManager::sharedInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(VimbleCharManager::sharedInstance(), first);
    EXPECT_NE(first->emoji(), nullptr);
}

// The shared catalog is made once per process, so its first call runs in a
// freshly started child: a forked one would inherit a catalog made earlier.
TEST_F(FavoritesTest, SharedInstanceLoadsTheFavoritesWhenFirstAskedFor) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    writeFavorites({"\U0001F44D", "\U0001F1EF\U0001F1F5"});
    EXPECT_EXIT(
        {
            bool loaded = contents(VimbleCharManager::sharedInstance()->emoji()) ==
                          "(\"\U0001F44D\", \"\U0001F1EF\U0001F1F5\")";
            std::exit(loaded ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
