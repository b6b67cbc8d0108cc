#include "shell/VimbleFiles.h"

#include "host/PSDefaultsStore.h"
#include "platform/NSPathUtilities.h"

std::string VimbleFiles::preferencesFilePath(const std::string& baseName) {
    return PSDefaultsStore::pathForDomain(baseName);
}

std::shared_ptr<ValueDictionary> VimbleFiles::readDictionary(const std::string& path) {
    return PSDefaultsStore(path).dictionary();
}

bool VimbleFiles::setValuesForKeys(const std::string& path, const std::vector<std::pair<std::string, Value>>& values) {
    return PSDefaultsStore(path).setValuesForKeys(values);
}

std::string VimbleFiles::imagePath(const std::string& format, const std::string& name) {
    return stringWithFormat(format, {BundleResourcePath, name});
}
