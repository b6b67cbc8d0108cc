#pragma once

#include "platform/Value.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

// A fresh simulated phone for one test: an empty device root in a temporary
// directory (removed afterwards), the manual run-loop clock at 0, portrait,
// no key window, no installed apps, nothing opened yet.
class TemporaryDevice {
public:
    enum class Images { Installed, Missing };

    explicit TemporaryDevice(Images images = Images::Installed);
    ~TemporaryDevice();
    TemporaryDevice(const TemporaryDevice&) = delete;
    TemporaryDevice& operator=(const TemporaryDevice&) = delete;

    const std::filesystem::path& root() const { return _root; }
    std::filesystem::path hostPath(const std::string& devicePath) const;

    // The panel's settings files, as device paths.
    static std::string settingsFile();
    static std::string favoritesFile();
    static std::string skintoneFile();

    // Writes raw bytes to a device path, making its directories.
    void writeFile(const std::string& devicePath, const std::string& bytes) const;
    std::string readFile(const std::string& devicePath) const;
    bool exists(const std::string& devicePath) const;

private:
    std::filesystem::path _root;
};
