#include "preview/DeviceImage.h"

namespace fs = std::filesystem;

namespace {

// A running copy of the app may have the old library mapped: the new file
// gets a new inode instead of being rewritten in place.
void replaceFile(const fs::path& source, const fs::path& target) {
    fs::path staging = target;
    staging += ".installing";
    fs::copy_file(source, staging, fs::copy_options::overwrite_existing);
    fs::rename(staging, target);
}

} // namespace

Result<> DeviceImage::installInto(const fs::path& deviceRoot) const {
    std::error_code status;
    if (!fs::is_directory(_directory, status)) {
        return Result<>::failure("no device image at " + _directory.string() + " (build the project first)");
    }
    try {
        for (const auto& entry : fs::recursive_directory_iterator(_directory)) {
            fs::path target = deviceRoot / fs::relative(entry.path(), _directory);
            if (entry.is_directory()) {
                fs::create_directories(target);
            } else if (entry.is_regular_file()) {
                fs::create_directories(target.parent_path());
                replaceFile(entry.path(), target);
            }
        }
    } catch (const fs::filesystem_error& failure) {
        return Result<>::failure(std::string("cannot install the device image: ") + failure.what());
    }
    return Result<>::success();
}
