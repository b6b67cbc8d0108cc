#pragma once

#include <string>
#include <string_view>
#include <vector>

// Foundation's path and string helpers, over UTF-8 strings.

// The user's home directory on the device.
std::string NSHomeDirectory();

// "a/b" + "c" -> "a/b/c"; one slash between, none doubled, none trailing.
std::string stringByAppendingPathComponent(const std::string& path, const std::string& component);

// "a/b" + "plist" -> "a/b.plist".
std::string stringByAppendingPathExtension(const std::string& path, const std::string& extension);

// stringWithFormat: with "%@" placeholders only, filled in order.
std::string stringWithFormat(const std::string& format, const std::vector<std::string>& arguments);

// componentsSeparatedByString:, every occurrence splits, empty pieces kept.
// Views, so that a constant text is split without being copied first.
std::vector<std::string> componentsSeparatedByString(std::string_view text, std::string_view separator);
