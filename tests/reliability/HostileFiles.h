#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What a user's disk may hold where a settings file belongs, made from the
// file {Enabled: false, Skintone: true}: each form puts itself at a host path.
struct HostileFile {
    std::string name;
    std::function<void(const std::filesystem::path& hostPath)> place;
};

// Damaged, disguised and oversized forms that must read as no file at all.
std::vector<HostileFile> filesReadAsNone();
// Other forms of the same file that read as its content.
std::vector<HostileFile> filesReadAsContent();

std::string xmlPlist(const std::string& body);
// `depth` arrays, each holding the next.
std::string nestedXml(std::size_t depth);
std::string binaryForm(const std::string& xml);
