#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Where the files of a tweak project, as it lies on disk, go on the phone.
// Three forms are read, and may be mixed:
// - a Theos project: `layout/Library/PreferenceLoader/Preferences/` (with its
//   subfolders) and `layout/Library/PreferenceBundles/` as they are, an
//   `entry.plist` at the top installed as `<bundle>.plist`, and `Resources/`
//   as the preference bundle `/Library/PreferenceBundles/<bundle>.bundle`,
//   `<bundle>` being the name the project's entry gives under `bundle` (for a
//   subproject without such an entry, the one its parent project's entry gives),
//   and a property list at the top holding an `entry` as that entry;
// - a folder of entries: its `*.plist` and `*.png` files as entries and icons,
//   its `*.bundle` folders as preference bundles;
// - either of them one folder down (a tweak's `prefs/` subproject).
// Only the kinds of file the phone reads there are installed (property lists,
// strings tables, pictures, and files without an extension such as a
// bundle's executable): sources and an editor's scratch copies
// (`Root.plist.new`) stay behind, as do hidden files, backups and symbolic links
// other than a link to a file of the same folder tree.
class TweakProject {
public:
    struct File {
        std::filesystem::path source;
        std::string devicePath;
    };
    struct Plan {
        std::vector<File> files;
        std::vector<std::string> notes; // what was left out, and why
        std::string error;              // the folder itself cannot be read
        bool hasEntries() const;
    };

    static Plan plan(const std::filesystem::path& directory);
    // Hidden files and editors' backups: never installed, and no reason to reload.
    static bool isScratchName(const std::string& fileName);
    // A file or folder of a kind the phone reads from its entries and bundles.
    static bool isPhoneFileName(const std::string& fileName);

private:
    explicit TweakProject(Plan& plan) : _plan(plan) {}

    // `parentEntryFiles`: the entries of the project this one lies in, which
    // name its bundle when its own entries name none.
    void addProject(const std::filesystem::path& directory, int depth, const std::vector<std::string>& parentEntryFiles);
    void addTree(const std::filesystem::path& from, const std::string& deviceDirectory);
    static std::string whyLinkIsLeftOut(const std::filesystem::path& link, const std::filesystem::path& tree);
    void addFile(const std::filesystem::path& source, const std::string& devicePath);
    void addLooseFiles(const std::filesystem::path& directory);
    void addEntriesBeside(const std::filesystem::path& directory, std::vector<std::string>& entryFiles);
    void addResources(const std::filesystem::path& directory, const std::vector<std::string>& entryFiles);

    Plan& _plan;
};
