#pragma once

#include <string>
#include <vector>

// The languages the installed settings pages are written in: the *.lproj
// folders of every preference bundle, of every folder of entries and of every
// installed app's Settings.bundle, English first, then the others by name
// ("Base" is no language and is left out).
// The device panel offers these as the phone's language.
class InstalledLanguages {
public:
    static std::vector<std::string> list();
};
