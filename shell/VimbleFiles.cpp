#include "shell/VimbleFiles.h"

#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"

std::string VimbleFiles::preferencesFilePath(const std::string& baseName) {
    std::string directory = stringByAppendingPathComponent(NSHomeDirectory(), "Library/Preferences");
    return stringByAppendingPathExtension(stringByAppendingPathComponent(directory, baseName), "plist");
}

std::shared_ptr<ValueDictionary> VimbleFiles::readDictionary(const std::string& path) {
    return PropertyList::readDictionary(path);
}

bool VimbleFiles::setValuesForKeys(const std::string& path, const std::vector<std::pair<std::string, Value>>& values) {
    auto dictionary = PropertyList::readDictionary(path);
    if (!dictionary) dictionary = std::make_shared<ValueDictionary>();
    for (const auto& [key, value] : values) (*dictionary)[key] = value;
    return PropertyList::write(Value(dictionary), path);
}

std::string VimbleFiles::imagePath(const std::string& format, const std::string& name) {
    return stringWithFormat(format, {BundleResourcePath, name});
}
