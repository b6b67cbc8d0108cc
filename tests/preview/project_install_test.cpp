#include "preview/EntryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kEntry = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>entry</key><dict><key>bundle</key><string>LampPrefs</string>
<key>cell</key><string>PSLinkCell</string><key>label</key><string>Lamp</string></dict></dict></plist>
)";

// A project folder and a device root side by side, both removed afterwards.
class ProjectInstallTest : public ::testing::Test {
protected:
    fs::path base = fs::temp_directory_path() / ("project-install-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path project = base / "project";
    fs::path root = base / "device";
    fs::path image = base / "image";

    void SetUp() override { fs::create_directories(project); }
    void TearDown() override { fs::remove_all(base); }

    static void write(const fs::path& path, const std::string& bytes = "x") {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Every file under `folder`, relative, in order, one string.
    static std::string filesUnder(const fs::path& folder) {
        std::vector<std::string> names;
        std::error_code status;
        for (const auto& item : fs::recursive_directory_iterator(folder, status)) {
            if (!item.is_directory()) names.push_back("/" + item.path().lexically_relative(folder).generic_string());
        }
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names) joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }
};

struct Layout {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files; // relative path, bytes ("" for kEntry)
    const char* installed;
};

TEST_F(ProjectInstallTest, EachFormOfProjectLandsWhereThePhoneKeepsIt) {
    const std::vector<Layout> layouts = {
        {"theos bundle project",
         {{"Makefile", "x"}, {"entry.plist", ""}, {"Resources/Root.plist", "x"}, {"Resources/Info.plist", "x"},
          {"Resources/en.lproj/Root.strings", "x"}, {"Resources/icon@2x.png", "x"}, {"Resources/.Root.plist.swp", "x"},
          {"Resources/Root.plist~", "x"}, {"Resources/Root.plist.new", "x"}, {"LampPrefs.plist", "x"},
          {"LampRootListController.m", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Info.plist /Library/PreferenceBundles/LampPrefs.bundle/Root.plist "
         "/Library/PreferenceBundles/LampPrefs.bundle/en.lproj/Root.strings "
         "/Library/PreferenceBundles/LampPrefs.bundle/icon@2x.png /Library/PreferenceLoader/Preferences/LampPrefs.plist"},
        {"tweak with a prefs subproject and a layout in a subfolder",
         {{"Makefile", "x"}, {"Tweak.x", "x"}, {"Lamp.plist", "x"},
          {"prefs/layout/Library/PreferenceLoader/Preferences/Lamp/Lamp.plist", ""},
          {"prefs/layout/Library/PreferenceLoader/Preferences/Lamp/lamp.png", "x"}, {"prefs/Resources/Root.plist", "x"},
          {"prefs/deeper/entry.plist", ""}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Root.plist /Library/PreferenceLoader/Preferences/Lamp/Lamp.plist "
         "/Library/PreferenceLoader/Preferences/Lamp/lamp.png"},
        {"project made on a Mac, its layout spelt Layout",
         {{"Layout/Library/PreferenceLoader/Preferences/Lamp.plist", ""}, {"Resources/Root.plist", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Root.plist /Library/PreferenceLoader/Preferences/Lamp.plist"},
        {"bundle project keeping its entry among its resources",
         {{"Resources/entry.plist", ""}, {"Resources/Root.plist", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Root.plist /Library/PreferenceBundles/LampPrefs.bundle/entry.plist "
         "/Library/PreferenceLoader/Preferences/LampPrefs.plist"},
        {"folder of entries",
         {{"Lamp.plist", ""}, {"Lamp.png", "x"}, {"LampPrefs.bundle/Info.plist", "x"}, {"README.md", "x"},
          {"LampPrefs.bundle/de.lproj/Root.strings", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Info.plist "
         "/Library/PreferenceBundles/LampPrefs.bundle/de.lproj/Root.strings "
         "/Library/PreferenceLoader/Preferences/Lamp.plist /Library/PreferenceLoader/Preferences/Lamp.png"},
        {"tweak whose entry in its own layout names the bundle of its preferences subproject",
         {{"Makefile", "x"}, {"layout/Library/PreferenceLoader/Preferences/Lamp.plist", ""},
          {"preferences/Makefile", "x"}, {"preferences/Resources/Lamp.plist", "x"},
          {"preferences/Resources/fr.lproj/Lamp.strings", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Lamp.plist "
         "/Library/PreferenceBundles/LampPrefs.bundle/fr.lproj/Lamp.strings "
         "/Library/PreferenceLoader/Preferences/Lamp.plist"},
        {"bundle project whose Makefile copies its entry, kept under the bundle's name, beside its filter",
         {{"Makefile", "x"}, {"Lamp.plist", "<plist><dict><key>Filter</key><dict/></dict></plist>"},
          {"Preferences/Makefile", "x"}, {"Preferences/LampPrefs.plist", ""}, {"Preferences/Resources/Root.plist", "x"}},
         "/Library/PreferenceBundles/LampPrefs.bundle/Root.plist /Library/PreferenceLoader/Preferences/LampPrefs.plist"},
    };
    for (const auto& layout : layouts) {
        fs::remove_all(base);
        for (const auto& [path, bytes] : layout.files) write(project / path, *bytes ? bytes : kEntry);
        EntryFolder folder(project);
        auto installed = folder.installInto(root, image);
        EXPECT_TRUE(installed) << layout.name << ": " << (installed ? "" : installed.error());
        EXPECT_EQ(filesUnder(root), layout.installed) << layout.name;
    }
}

TEST_F(ProjectInstallTest, AFolderWithoutEntriesOrThatWouldReplaceTheImageIsRefused) {
    write(project / "Resources/Root.plist");
    EntryFolder folder(project);
    auto installed = folder.installInto(root, image);
    ASSERT_FALSE(installed);
    EXPECT_NE(installed.error().find("holds no Settings entry"), std::string::npos) << installed.error();

    write(project / "entry.plist", kEntry);
    write(image / "Library/PreferenceBundles/LampPrefs.bundle/Root.plist");
    installed = folder.installInto(root, image);
    ASSERT_FALSE(installed);
    EXPECT_NE(installed.error().find("would replace the phone's own /Library/PreferenceBundles/LampPrefs.bundle/Root.plist"),
              std::string::npos) << installed.error();
    EXPECT_EQ(filesUnder(root), "");
}

TEST_F(ProjectInstallTest, WhatTheFirstInstallLeavesOutIsKeptToBeTold) {
    write(project / "layout/Library/PreferenceLoader/Preferences/Lamp.plist",
          "<plist><dict><key>entry</key><dict><key>label</key><string>Lamp</string></dict></dict></plist>");
    write(project / "Resources/Root.plist");
    EntryFolder folder(project);
    ASSERT_EQ(folder.installInto(root, image).error(), "");
    EXPECT_EQ(folder.installNotes(),
              std::vector<std::string>{fs::weakly_canonical(project).string() + "/Resources left out: no entry of its project names a bundle"});
}

// Languages share a table by a link to another file of the bundle; links to a
// folder or out of the project are never followed.
TEST_F(ProjectInstallTest, ALinkToAFileOfTheBundleInstallsThatFileAndNoOtherLinkIsFollowed) {
    write(project / "entry.plist", kEntry);
    write(project / "Resources/Root.plist");
    write(project / "Resources/de.lproj/Messages.strings", "\"HELLO\" = \"Hallo\";");
    write(base / "secret.plist", "secret");
    fs::create_symlink("Messages.strings", project / "Resources/de.lproj/Person.strings");
    fs::create_symlink("../../secret.plist", project / "Resources/Secret.plist");
    fs::create_directory_symlink("de.lproj", project / "Resources/de_AT.lproj");
    fs::create_symlink("Gone.plist", project / "Resources/Gone.strings");
    EntryFolder folder(project);
    ASSERT_EQ(folder.installInto(root, image).error(), "");
    const std::string bundle = "/Library/PreferenceBundles/LampPrefs.bundle";
    EXPECT_EQ(filesUnder(root), bundle + "/Root.plist " + bundle + "/de.lproj/Messages.strings " + bundle +
                                    "/de.lproj/Person.strings /Library/PreferenceLoader/Preferences/LampPrefs.plist");
    std::ifstream copied(root / ("." + bundle + "/de.lproj/Person.strings"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "\"HELLO\" = \"Hallo\";");
    const std::string resources = fs::weakly_canonical(project).string() + "/Resources";
    auto notes = folder.installNotes();
    std::sort(notes.begin(), notes.end());
    EXPECT_EQ(notes, (std::vector<std::string>{resources + "/Gone.strings left out: a symbolic link to nothing",
                                               resources + "/Secret.plist left out: a symbolic link out of " + resources,
                                               resources + "/de_AT.lproj left out: a symbolic link to a folder"}));
}

TEST_F(ProjectInstallTest, ASyncCopiesWhatChangedAndRemovesOnlyWhatItInstalled) {
    write(project / "entry.plist", kEntry);
    write(project / "Resources/Root.plist", "one");
    write(project / "Resources/Child.plist", "child");
    EntryFolder folder(project);
    ASSERT_EQ(folder.installInto(root, image).error(), "");
    write(root / "Library/PreferenceBundles/LampPrefs.bundle/Mine.plist", "placed by hand");

    write(project / "Resources/Root.plist", "two");
    fs::remove(project / "Resources/Child.plist");
    EntryFolder::Sync sync = folder.syncInto(root, image);
    EXPECT_EQ(sync.changed, (std::vector<std::string>{"/Library/PreferenceBundles/LampPrefs.bundle/Root.plist",
                                                     "/Library/PreferenceBundles/LampPrefs.bundle/Child.plist"}));
    EXPECT_EQ(filesUnder(root / "Library/PreferenceBundles/LampPrefs.bundle"), "/Mine.plist /Root.plist");
    std::ifstream copied(root / "Library/PreferenceBundles/LampPrefs.bundle/Root.plist");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "two");
    EXPECT_TRUE(folder.syncInto(root, image).changed.empty()) << "an unchanged folder copies nothing";
}

TEST_F(ProjectInstallTest, AFolderThatVanishesOrBecomesALinkKeepsWhatItInstalled) {
    write(project / "entry.plist", kEntry);
    write(project / "Resources/Root.plist");
    EntryFolder folder(project);
    ASSERT_EQ(folder.installInto(root, image).error(), "");
    std::string installed = filesUnder(root);

    fs::path elsewhere = base / "elsewhere";
    fs::rename(project, elsewhere);
    EntryFolder::Sync gone = folder.syncInto(root, image);
    ASSERT_EQ(gone.notes.size(), 1u);
    EXPECT_EQ(gone.notes[0], "no folder at " + project.string() + "; what it installed stays on the phone");

    fs::create_directory_symlink(elsewhere, project);
    EntryFolder::Sync linked = folder.syncInto(root, image);
    ASSERT_EQ(linked.notes.size(), 1u);
    EXPECT_NE(linked.notes[0].find("is now a symbolic link"), std::string::npos) << linked.notes[0];
    EXPECT_TRUE(gone.changed.empty() && linked.changed.empty());
    EXPECT_EQ(filesUnder(root), installed);
}

TEST_F(ProjectInstallTest, NothingIsWrittenThroughALinkOutOfTheDeviceRoot) {
    write(project / "entry.plist", kEntry);
    write(project / "Resources/Root.plist");
    fs::path outside = base / "outside";
    fs::create_directories(outside);
    fs::create_directories(root / "Library");
    fs::create_directory_symlink(outside, root / "Library/PreferenceBundles");
    EntryFolder folder(project);
    EntryFolder::Sync sync = folder.syncInto(root, image);
    EXPECT_EQ(filesUnder(outside), "");
    EXPECT_EQ(sync.changed, std::vector<std::string>{"/Library/PreferenceLoader/Preferences/LampPrefs.plist"});
}

} // namespace
