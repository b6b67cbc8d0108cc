#include "preview/EntryFolder.h"

#include "preview/SettingsEntry.h"

#include <vector>

namespace fs = std::filesystem;

std::filesystem::path EntryFolder::placeOf(const fs::directory_entry& item) {
    fs::path name = item.path().filename();
    std::string extension = name.extension().string();
    if (item.is_directory() && extension == ".bundle") return fs::path(SettingsEntry::kBundlesDirectory).relative_path() / name;
    if (item.is_regular_file() && (extension == ".plist" || extension == ".png")) {
        return fs::path(SettingsEntry::kEntriesDirectory).relative_path() / name;
    }
    return {};
}

Result<> EntryFolder::installInto(const fs::path& deviceRoot, const fs::path& deviceImage) const {
    std::error_code status;
    if (!fs::is_directory(_directory, status)) return Result<>::failure("no folder of entries at " + _directory.string());
    std::vector<std::pair<fs::path, fs::path>> copies;
    for (const auto& item : fs::directory_iterator(_directory, status)) {
        fs::path place = placeOf(item);
        if (place.empty()) continue;
        if (fs::exists(deviceImage / place, status)) {
            return Result<>::failure(item.path().string() + " would replace the phone's own /" + place.string());
        }
        copies.emplace_back(item.path(), deviceRoot / place);
    }
    try {
        for (const auto& [source, target] : copies) {
            fs::create_directories(target.parent_path());
            fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        }
    } catch (const fs::filesystem_error& failure) {
        return Result<>::failure(std::string("cannot install the folder of entries: ") + failure.what());
    }
    return Result<>::success();
}
