#pragma once

#include "preview/EntryFolder.h"
#include "preview/FolderWatcher.h"
#include "preview/PageReloader.h"
#include "preview/SettingsApp.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

// What is on screen follows what is on disk: the folders given to --install
// and the device's entries and preference bundles are watched; a change in an
// installed folder is copied onto the phone, and then the Settings list and
// the pages on the navigation stack are redrawn in place (PageReloader),
// with a "reload" event naming the files. Settings values are not watched:
// rows read them whenever they are built. The watcher thread only copies
// files and hands the rest to the main run loop.
class LivePages {
public:
    // `folders` must outlive this object; the watcher thread syncs them.
    LivePages(SettingsApp& app, std::vector<EntryFolder>& folders, std::filesystem::path deviceRoot,
              std::filesystem::path deviceImage);
    ~LivePages() { stop(); }

    // False with `error` set when the folders cannot be watched.
    bool start(std::string& error);
    void stop() { _watcher.stop(); }
    std::size_t watchedFolderCount() const { return _watcher.watchedFolderCount(); }

private:
    std::vector<std::filesystem::path> deviceTrees() const;
    void syncFolders(const FolderWatcher::Batch& batch);
    void tell(std::size_t source, const std::vector<std::string>& notes);
    void handOver(FolderWatcher::Batch batch);
    std::vector<std::string> devicePathsIn(const FolderWatcher::Batch& batch) const;
    void reloadOnMainThread(const std::vector<std::string>& changed, const std::vector<std::string>& notes);

    std::vector<EntryFolder>& _folders;
    std::filesystem::path _deviceRoot;
    std::filesystem::path _deviceImage;
    PageReloader _reloader;
    // Watcher thread: what each folder's last sync said (told once while it
    // keeps saying it), and what this batch's syncs newly say.
    std::map<std::size_t, std::set<std::string>> _toldNotes;
    std::vector<std::string> _newNotes;
    FolderWatcher _watcher;
};
