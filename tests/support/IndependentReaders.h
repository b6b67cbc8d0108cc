#pragma once

#include <filesystem>
#include <string>

// What a Python script with these arguments prints; plistlib is a second
// implementation of the format.
std::string runPython(const std::string& script, const std::string& arguments);

// Reads a property list back with Python's plistlib and prints it as JSON
// (ensure_ascii off): an independent reader of what the panel writes.
std::string readWithPlistlib(const std::filesystem::path& hostPath);

// The same, after libplist's plistutil has converted the file to the binary
// form: what a second reader of the XML makes of it.
std::string readWithPlistutil(const std::filesystem::path& hostPath);
