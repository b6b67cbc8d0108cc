#include "preview/TweakProject.h"

#include "platform/PropertyList.h"
#include "preview/SettingsEntry.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kLayoutEntries = "Library/PreferenceLoader/Preferences";
constexpr const char* kLayoutBundles = "Library/PreferenceBundles";
constexpr const char* kTheosEntry = "entry.plist";
constexpr const char* kResources = "Resources";
constexpr const char* kMakefile = "Makefile";
// A tweak keeps its preferences one folder down (`prefs/`); deeper folders are its sources.
constexpr int kDeepestSubproject = 1;

// Links are never followed: nothing outside the project is read or copied.
bool isFolder(const fs::path& path) {
    std::error_code status;
    return fs::is_directory(fs::symlink_status(path, status));
}

bool isFile(const fs::path& path) {
    std::error_code status;
    return fs::is_regular_file(fs::symlink_status(path, status));
}

// Projects made on a Mac often spell it `Layout`, which Theos finds there all the same.
fs::path layoutOf(const fs::path& directory) {
    return isFolder(directory / "Layout") && !isFolder(directory / "layout") ? directory / "Layout" : directory / "layout";
}

// A bundle project keeps its entry.plist at its top, or among its resources.
fs::path theosEntryOf(const fs::path& directory) {
    return isFile(directory / kTheosEntry) ? directory / kTheosEntry : directory / kResources / kTheosEntry;
}

bool isProject(const fs::path& directory) {
    return isFolder(layoutOf(directory)) || isFile(theosEntryOf(directory)) || isFolder(directory / kResources) ||
           isFile(directory / kMakefile);
}

bool isEntryPath(const std::string& devicePath) {
    std::string prefix = std::string(SettingsEntry::kEntriesDirectory) + "/";
    return devicePath.starts_with(prefix) && devicePath.ends_with(".plist");
}

// The `entry` dictionary of an entry file; nil when the file is no entry.
Value entryIn(const fs::path& entryFile) {
    std::ifstream stream(entryFile, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    Value file = PropertyList::fromData(bytes.str());
    if (!file.isDictionary()) return {};
    auto entry = file.asDictionary()->find("entry");
    if (entry == file.asDictionary()->end() || !entry->second.isDictionary()) return {};
    return entry->second;
}

// The bundle an entry file opens; empty when it names none or is no entry.
std::string bundleNamedBy(const fs::path& entryFile) {
    Value entry = entryIn(entryFile);
    if (!entry.isDictionary()) return {};
    auto bundle = entry.asDictionary()->find("bundle");
    if (bundle == entry.asDictionary()->end() || !bundle->second.isString()) return {};
    const std::string& name = bundle->second.asString();
    bool plain = name != "." && name != ".." && name.find('/') == std::string::npos;
    return plain ? name : std::string();
}

bool namesBundle(const std::vector<std::string>& entryFiles) {
    return std::any_of(entryFiles.begin(), entryFiles.end(),
                       [](const std::string& file) { return !bundleNamedBy(file).empty(); });
}

} // namespace

bool TweakProject::Plan::hasEntries() const {
    return std::any_of(files.begin(), files.end(), [](const File& file) { return isEntryPath(file.devicePath); });
}

bool TweakProject::isScratchName(const std::string& name) {
    return name.empty() || name.starts_with('.') || name.ends_with('~') || name.ends_with(".swp") ||
           name.ends_with(".swx") || (name.starts_with('#') && name.ends_with('#'));
}

bool TweakProject::isPhoneFileName(const std::string& name) {
    static const std::set<std::string> kinds = {"",     ".plist", ".strings", ".stringsdict", ".png", ".jpg",
                                                ".jpeg", ".gif",  ".bundle",  ".lproj"};
    return !isScratchName(name) && kinds.contains(fs::path(name).extension().string());
}

TweakProject::Plan TweakProject::plan(const fs::path& directory) {
    Plan plan;
    std::error_code status;
    if (fs::is_symlink(fs::symlink_status(directory, status))) {
        plan.error = directory.string() + " is now a symbolic link, which the install does not follow";
        return plan;
    }
    if (!isFolder(directory)) {
        plan.error = "no folder at " + directory.string();
        return plan;
    }
    TweakProject(plan).addProject(directory, 0, {});
    std::sort(plan.files.begin(), plan.files.end(),
              [](const File& a, const File& b) { return a.devicePath < b.devicePath; });
    return plan;
}

void TweakProject::addProject(const fs::path& directory, int depth, const std::vector<std::string>& parentEntryFiles) {
    std::size_t first = _plan.files.size();
    fs::path layout = layoutOf(directory);
    addTree(layout / kLayoutEntries, SettingsEntry::kEntriesDirectory);
    addTree(layout / kLayoutBundles, SettingsEntry::kBundlesDirectory);
    std::vector<std::string> entryFiles;
    for (std::size_t index = first; index < _plan.files.size(); ++index) {
        if (isEntryPath(_plan.files[index].devicePath)) entryFiles.push_back(_plan.files[index].source.string());
    }
    if (fs::path theosEntry = theosEntryOf(directory); isFile(theosEntry)) {
        // Theos installs a bundle project's entry.plist under the bundle's own name.
        std::string name = bundleNamedBy(theosEntry);
        if (name.empty()) name = directory.filename().string();
        addFile(theosEntry, std::string(SettingsEntry::kEntriesDirectory) + "/" + name + ".plist");
        entryFiles.insert(entryFiles.begin(), theosEntry.string());
    }
    addEntriesBeside(directory, entryFiles);
    // A tweak's own layout often holds the entry that names its preferences subproject's bundle.
    if (isFolder(directory / kResources)) {
        addResources(directory / kResources, namesBundle(entryFiles) ? entryFiles : parentEntryFiles);
    }
    addLooseFiles(directory);
    if (depth >= kDeepestSubproject) return;
    std::error_code status;
    for (const auto& item : fs::directory_iterator(directory, status)) {
        std::string name = item.path().filename().string();
        bool ownFolder = name == "layout" || name == "Layout" || name == kResources || item.path().extension() == ".bundle";
        if (isScratchName(name) || ownFolder) continue;
        if (isFolder(item.path()) && isProject(item.path())) addProject(item.path(), depth + 1, entryFiles);
    }
}

void TweakProject::addResources(const fs::path& resources, const std::vector<std::string>& entryFiles) {
    std::set<std::string> names;
    for (const auto& file : entryFiles) {
        if (std::string name = bundleNamedBy(file); !name.empty()) names.insert(name);
    }
    if (names.empty()) {
        _plan.notes.push_back(resources.string() + " left out: no entry of its project names a bundle");
        return;
    }
    if (names.size() > 1) {
        _plan.notes.push_back(resources.string() + ": the project's entries name several bundles; installed as " +
                              *names.begin() + ".bundle");
    }
    addTree(resources, std::string(SettingsEntry::kBundlesDirectory) + "/" + *names.begin() + ".bundle");
}

// Bundle projects whose Makefile copies their entry in its own stage step keep
// it at their top under the bundle's name (LampPrefs.plist), beside the
// tweak's filter plist: a property list holding an `entry` is an entry.
void TweakProject::addEntriesBeside(const fs::path& directory, std::vector<std::string>& entryFiles) {
    if (!isProject(directory) || !isFile(directory / kMakefile)) return;
    std::error_code status;
    for (const auto& item : fs::directory_iterator(directory, status)) {
        std::string name = item.path().filename().string();
        if (isScratchName(name) || item.path().extension() != ".plist" || name == kTheosEntry) continue;
        if (!isFile(item.path()) || !entryIn(item.path()).isDictionary()) continue;
        addFile(item.path(), std::string(SettingsEntry::kEntriesDirectory) + "/" + name);
        entryFiles.push_back(item.path().string());
    }
}

// A folder of entries: its entries and icons, and its bundles. In a Theos
// project the loose property lists are the tweak's own (its filter), not entries.
void TweakProject::addLooseFiles(const fs::path& directory) {
    bool looseEntries = !isProject(directory);
    std::error_code status;
    for (const auto& item : fs::directory_iterator(directory, status)) {
        std::string name = item.path().filename().string();
        std::string extension = item.path().extension().string();
        if (isScratchName(name)) continue;
        if (extension == ".bundle" && isFolder(item.path())) {
            addTree(item.path(), std::string(SettingsEntry::kBundlesDirectory) + "/" + name);
        } else if (looseEntries && (extension == ".plist" || extension == ".png") && isFile(item.path())) {
            addFile(item.path(), std::string(SettingsEntry::kEntriesDirectory) + "/" + name);
        }
    }
}

void TweakProject::addTree(const fs::path& from, const std::string& deviceDirectory) {
    if (!isFolder(from)) return;
    std::error_code status;
    for (fs::recursive_directory_iterator item(from, status), end; !status && item != end; item.increment(status)) {
        if (isScratchName(item->path().filename().string())) {
            item.disable_recursion_pending();
            continue;
        }
        std::string devicePath = deviceDirectory + "/" + item->path().lexically_relative(from).generic_string();
        if (item->is_symlink(status)) {
            std::string why = whyLinkIsLeftOut(item->path(), from);
            if (why.empty() && isPhoneFileName(item->path().filename().string())) addFile(item->path(), devicePath);
            if (!why.empty()) _plan.notes.push_back(item->path().string() + " left out: " + why);
        } else if (isFile(item->path()) && isPhoneFileName(item->path().filename().string())) {
            addFile(item->path(), devicePath);
        }
    }
}

// Projects share a table between languages by a link to another file of the
// same folder tree (`de.lproj/MessagesPerson.strings -> Messages.strings`):
// such a link is installed as a copy of its file. A link to a folder, or out
// of the tree, is not followed: empty when the link is installed, else why not.
std::string TweakProject::whyLinkIsLeftOut(const fs::path& link, const fs::path& tree) {
    std::error_code status;
    fs::path target = fs::canonical(link, status);
    if (status) return "a symbolic link to nothing";
    fs::path within = target.lexically_relative(fs::canonical(tree, status));
    if (status || within.empty() || *within.begin() == "..") return "a symbolic link out of " + tree.string();
    if (!fs::is_regular_file(target, status)) return "a symbolic link to a folder";
    return {};
}

void TweakProject::addFile(const fs::path& source, const std::string& devicePath) {
    auto same = std::find_if(_plan.files.begin(), _plan.files.end(),
                             [&](const File& file) { return file.devicePath == devicePath; });
    if (same != _plan.files.end()) {
        _plan.notes.push_back(source.string() + " left out: " + same->source.string() + " is installed as " + devicePath);
        return;
    }
    _plan.files.push_back({source, devicePath});
}
