#include "preview/LivePages.h"

#include "platform/ActivityMonitor.h"
#include "platform/RunLoop.h"
#include "preview/SettingsEntry.h"
#include "preview/TweakProject.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

bool isInside(const fs::path& path, const fs::path& folder) {
    auto [folderEnd, pathAt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

std::string joined(const std::vector<std::string>& texts) {
    std::string result;
    for (const auto& text : texts) result += (result.empty() ? "" : ", ") + text;
    return result;
}

} // namespace

LivePages::LivePages(SettingsApp& app, std::vector<EntryFolder>& folders, fs::path deviceRoot, fs::path deviceImage)
    : _folders(folders), _deviceRoot(std::move(deviceRoot)), _deviceImage(std::move(deviceImage)),
      _reloader(app), _watcher([this](FolderWatcher::Batch batch) { handOver(std::move(batch)); }) {}

std::vector<fs::path> LivePages::deviceTrees() const {
    return {_deviceRoot / fs::path(SettingsEntry::kEntriesDirectory).relative_path(),
            _deviceRoot / fs::path(SettingsEntry::kBundlesDirectory).relative_path()};
}

bool LivePages::start(std::string& error) {
    // What the installs at start left out is told now, and again only when it changes.
    for (std::size_t index = 0; index < _folders.size(); ++index) {
        const auto& notes = _folders[index].installNotes();
        for (const auto& note : notes) ActivityMonitor::shared().record(ActivityKind::Log, "Install: " + note);
        _toldNotes[index] = std::set<std::string>(notes.begin(), notes.end());
    }
    for (const auto& tree : deviceTrees()) {
        std::error_code status;
        fs::create_directories(tree, status);
        _watcher.watchTree(tree);
    }
    for (const auto& folder : _folders) _watcher.watchTree(folder.directory());
    _watcher.setPrepare([this](const FolderWatcher::Batch& batch) { syncFolders(batch); });
    return _watcher.start(error);
}

// Watcher thread: each installed folder that changed is copied onto the phone
// again; those writes join the batch.
void LivePages::syncFolders(const FolderWatcher::Batch& batch) {
    auto touches = [&](const fs::path& folder) {
        return std::any_of(batch.begin(), batch.end(), [&](const fs::path& path) { return isInside(path, folder); });
    };
    for (std::size_t index = 0; index < _folders.size(); ++index) {
        if (touches(_folders[index].directory())) tell(index, _folders[index].syncInto(_deviceRoot, _deviceImage).notes);
    }
    std::vector<std::string> deviceNotes;
    for (const auto& tree : deviceTrees()) {
        std::error_code status;
        if (touches(tree) && fs::is_symlink(fs::symlink_status(tree, status))) {
            deviceNotes.push_back(tree.string() + " is now a symbolic link, which the app does not watch");
        }
    }
    tell(_folders.size(), deviceNotes);
}

void LivePages::tell(std::size_t source, const std::vector<std::string>& notes) {
    std::set<std::string>& told = _toldNotes[source];
    for (const auto& note : notes) {
        if (!told.contains(note)) _newNotes.push_back(note);
    }
    told = std::set<std::string>(notes.begin(), notes.end());
}

void LivePages::handOver(FolderWatcher::Batch batch) {
    std::vector<std::string> changed = devicePathsIn(batch);
    std::vector<std::string> notes = std::exchange(_newNotes, {});
    if (changed.empty() && notes.empty()) return;
    RunLoop::main().enqueue([this, changed = std::move(changed), notes = std::move(notes)] {
        reloadOnMainThread(changed, notes);
    });
}

// The batch's files on the phone, as device paths; the installed folders' own
// files reach the phone through the sync, whose writes are in the batch.
std::vector<std::string> LivePages::devicePathsIn(const FolderWatcher::Batch& batch) const {
    std::vector<std::string> paths;
    for (const auto& path : batch) {
        if (!isInside(path, _deviceRoot) || !TweakProject::isPhoneFileName(path.filename().string())) continue;
        std::string devicePath = "/" + path.lexically_relative(_deviceRoot).generic_string();
        if (std::find(paths.begin(), paths.end(), devicePath) == paths.end()) paths.push_back(devicePath);
    }
    return paths;
}

void LivePages::reloadOnMainThread(const std::vector<std::string>& changed, const std::vector<std::string>& notes) {
    for (const auto& note : notes) ActivityMonitor::shared().record(ActivityKind::Log, "Install: " + note);
    if (changed.empty()) return;
    ActivityMonitor::shared().record(ActivityKind::Reload, joined(changed));
    _reloader.reload(changed);
}
