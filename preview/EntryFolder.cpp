#include "preview/EntryFolder.h"

#include "preview/TweakProject.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

fs::path hostPathOf(const fs::path& deviceRoot, const std::string& devicePath) {
    return deviceRoot / fs::path(devicePath).relative_path();
}

// A folder on the way from the root to `target` that is a symbolic link would
// take the write elsewhere.
bool passesThroughLink(const fs::path& deviceRoot, const fs::path& target) {
    fs::path walked = deviceRoot;
    std::error_code status;
    for (const auto& part : target.parent_path().lexically_relative(deviceRoot)) {
        walked /= part;
        if (fs::is_symlink(fs::symlink_status(walked, status))) return true;
    }
    return false;
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code status;
    if (fs::file_size(a, status) != fs::file_size(b, status) || status) return false;
    std::ifstream left(a, std::ios::binary), right(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(left), {}, std::istreambuf_iterator<char>(right));
}

// Replaced whole through a hidden file beside it: a reader never sees half a
// file, and the watcher takes the hidden name for scratch.
void replaceFile(const fs::path& source, const fs::path& target) {
    fs::create_directories(target.parent_path());
    fs::path staging = target.parent_path() / ("." + target.filename().string() + ".installing");
    fs::copy_file(source, staging, fs::copy_options::overwrite_existing);
    fs::rename(staging, target);
}

} // namespace

EntryFolder::EntryFolder(const fs::path& directory) {
    std::error_code status;
    _directory = fs::weakly_canonical(fs::absolute(directory, status), status);
    if (_directory.empty()) _directory = directory;
}

Result<> EntryFolder::installInto(const fs::path& deviceRoot, const fs::path& deviceImage) {
    TweakProject::Plan plan = TweakProject::plan(_directory);
    if (!plan.error.empty()) return Result<>::failure(plan.error);
    if (!plan.hasEntries()) {
        return Result<>::failure(_directory.string() + " holds no Settings entry: looked for layout/Library/PreferenceLoader/"
                                 "Preferences/, an entry.plist, and *.plist files beside *.bundle folders");
    }
    std::error_code status;
    for (const auto& file : plan.files) {
        if (!fs::exists(hostPathOf(deviceImage, file.devicePath), status)) continue;
        return Result<>::failure(file.source.string() + " would replace the phone's own " + file.devicePath);
    }
    Sync sync = syncInto(deviceRoot, deviceImage);
    if (sync.failed) return Result<>::failure(sync.notes.back());
    _installNotes = std::move(sync.notes);
    return Result<>::success();
}

EntryFolder::Sync EntryFolder::syncInto(const fs::path& deviceRoot, const fs::path& deviceImage) {
    Sync sync;
    TweakProject::Plan plan = TweakProject::plan(_directory);
    if (!plan.error.empty()) {
        sync.notes.push_back(plan.error + "; what it installed stays on the phone");
        return sync;
    }
    sync.notes = plan.notes;
    std::set<std::string> installed;
    std::error_code status;
    for (const auto& file : plan.files) {
        fs::path target = hostPathOf(deviceRoot, file.devicePath);
        if (fs::exists(hostPathOf(deviceImage, file.devicePath), status)) {
            sync.notes.push_back(file.source.string() + " left out: it would replace the phone's own " + file.devicePath);
            continue;
        }
        if (passesThroughLink(deviceRoot, target)) {
            sync.notes.push_back(file.devicePath + " not written: a folder on its way is a symbolic link");
            continue;
        }
        installed.insert(file.devicePath);
        if (sameBytes(file.source, target)) continue;
        try {
            replaceFile(file.source, target);
            sync.changed.push_back(file.devicePath);
        } catch (const fs::filesystem_error& failure) {
            sync.notes.push_back(std::string("cannot install ") + file.devicePath + ": " + failure.what());
            sync.failed = true;
        }
    }
    for (const auto& gone : _installed) {
        if (installed.contains(gone)) continue;
        fs::path target = hostPathOf(deviceRoot, gone);
        if (!passesThroughLink(deviceRoot, target) && fs::remove(target, status)) sync.changed.push_back(gone);
    }
    if (!plan.hasEntries()) sync.notes.push_back(_directory.string() + " holds no Settings entry now");
    _installed = std::move(installed);
    return sync;
}
