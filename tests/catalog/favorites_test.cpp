#include "catalog/VimbleCharManager.h"

#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* const kFavoritesFile = "/var/mobile/Library/Preferences/com.korvent.vimble.plist";

// The favourites as a short readable line, so a failure shows both lists.
std::string contents(const std::shared_ptr<ValueArray>& favorites) {
    return favorites ? Value(favorites).description() : "null";
}

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n";
}

struct FileCase {
    const char* file; // nullptr: no favourites file at all
    const char* favorites;
};

// The catalog neither checks nor limits the favourites: the selection page does.
const FileCase kFileCases[] = {
    {nullptr, "()"},
    {"<dict><key>0</key><string>\U0001F600</string></dict>", "()"},
    {"<array><string>\U0001F996</string><string>not an emoji</string><string>\U0001F996</string>"
     "<integer>7</integer><string>\U0001F1FF\U0001F1FC</string></array>",
     "(\"\U0001F996\", \"not an emoji\", \"\U0001F996\", 7, \"\U0001F1FF\U0001F1FC\")"},
};

TEST(Favorites, GetEmojiReadsTheFileIntoANewArray) {
    for (const auto& fileCase : kFileCases) {
        TemporaryDevice device;
        if (fileCase.file) device.writeFile(kFavoritesFile, plist(fileCase.file));
        auto catalog = alloc<VimbleCharManager>();
        catalog->setEmoji(nullptr);
        catalog->getEmoji();
        EXPECT_EQ(contents(catalog->emoji()), fileCase.favorites) << (fileCase.file ? fileCase.file : "no file");
    }
}

TEST(Favorites, EveryCallerEditsTheSameArrayUntilItIsReloaded) {
    TemporaryDevice device;
    device.writeFile(kFavoritesFile, plist("<array><string>\U0001F44D</string></array>"));
    auto catalog = alloc<VimbleCharManager>()->init();
    std::shared_ptr<ValueArray> held = catalog->emoji();
    EXPECT_EQ(contents(held), "(\"\U0001F44D\")") << "init loads the favourites";
    held->emplace_back("\U0001F600");
    EXPECT_EQ(catalog->emoji(), held);

    device.writeFile(kFavoritesFile, plist("<array><string>\U0001F436</string></array>"));
    catalog->getEmoji();
    EXPECT_EQ(contents(catalog->emoji()), "(\"\U0001F436\")");
    EXPECT_EQ(contents(held), "(\"\U0001F44D\", \"\U0001F600\")") << "whoever kept the old array keeps it";
}

// The shared catalog is made once per process, so its first call runs in a
// freshly started child: a forked one would inherit a catalog made earlier.
TEST(Favorites, SharedInstanceIsOneCatalogLoadedWhenFirstAskedFor) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TemporaryDevice device;
    device.writeFile(kFavoritesFile, plist("<array><string>\U0001F1EF\U0001F1F5</string></array>"));
    EXPECT_EXIT(
        {
            auto first = VimbleCharManager::sharedInstance();
            bool loaded = contents(first->emoji()) == "(\"\U0001F1EF\U0001F1F5\")";
            std::exit(loaded && VimbleCharManager::sharedInstance() == first ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
