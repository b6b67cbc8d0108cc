#pragma once

#include <string>
#include <vector>

// Which of a bundle's localization folders serve the phone's languages, as
// NSBundle chooses them: the first preferred language the bundle has, then
// its development region, then "Base". A language matches its own folder
// ("fr-CA", "fr_CA"), then its less specific forms ("fr"), then the old
// English names Xcode once wrote ("French"); and an old name matches its code.
class Localizations {
public:
    // Folder names (without ".lproj") from `available`, most wanted first,
    // each once.
    static std::vector<std::string> lookupOrder(const std::vector<std::string>& available,
                                                const std::vector<std::string>& preferredLanguages,
                                                const std::string& developmentRegion);

private:
    static std::string match(const std::vector<std::string>& available, const std::string& language);
    static std::vector<std::string> namesFor(const std::string& language);
};
