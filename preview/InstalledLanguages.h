#pragma once

#include <string>
#include <vector>

// The languages the installed settings pages are written in: the *.lproj
// folders of every preference bundle and of every folder of entries, English
// first, then the others by name ("Base" is no language and is left out).
// The device panel offers these as the phone's language.
class InstalledLanguages {
public:
    static std::vector<std::string> list();
};
