#pragma once

#include "platform/Value.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// What a user's disk may hold where a settings file belongs. Each case puts
// itself at a device path; its name is fit for a test name.
struct HostileFile {
    std::string name;
    std::function<void(const TemporaryDevice& device, const std::string& devicePath)> place;
};

inline void PrintTo(const Value& value, std::ostream* out) { *out << value.description(); }
inline void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.name; }

// Files that every page must take as no file at all. `content` is a good
// value of the file's kind whose effect a page would show (a dictionary or
// an array); the cases are damaged, disguised or oversized forms of it, so a
// page that read any of them would show that effect.
std::vector<HostileFile> filesReadAsNone(const Value& content);

// Forms of `content` that are read as `content`: the binary form, and the
// XML form followed by stray bytes.
std::vector<HostileFile> filesReadAsContent(const Value& content);

// A test-name suffix for a case.
struct HostileFileName {
    std::string operator()(const ::testing::TestParamInfo<HostileFile>& info) const { return info.param.name; }
};

// Helpers for tables of their own.
std::string xmlPlist(const std::string& body);
std::string binaryForm(const std::string& xml);
HostileFile madeCase(std::string name, std::function<std::string()> make);
