// Every quoted include of every source file stays within what its folder may use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kPanel{"shell", "catalog", "configure", "select", "credits", "resources"};

std::set<std::string> panelAnd(std::set<std::string> folders) {
    folders.insert(kPanel.begin(), kPanel.end());
    return folders;
}

// The folders whose headers a folder's files may include; a folder missing
// from the table (support, tests, fuzz, bench) may include anything.
const std::map<std::string, std::set<std::string>> kMayInclude{
    {"platform", {"platform"}},
    {"host", {"host", "platform"}},
    {"shell", panelAnd({"host", "platform"})},
    {"catalog", panelAnd({"host", "platform"})},
    {"configure", panelAnd({"host", "platform"})},
    {"select", panelAnd({"host", "platform"})},
    {"credits", panelAnd({"host", "platform"})},
    {"resources", panelAnd({"host", "platform"})},
    {"preview", {"preview", "host", "platform"}},
};

// Every folder whose headers are guarded; an include of anything else (a
// library's header) is not a layer's business.
bool isLayerFolder(const std::string& folder) {
    return kMayInclude.contains(folder) || folder == "support" || folder == "tests";
}

std::string firstComponent(const std::string& path) { return path.substr(0, path.find('/')); }

// "" when `includingFile` (a repository path) may include `header`, else why not.
std::string violation(const std::string& includingFile, const std::string& header) {
    auto rules = kMayInclude.find(firstComponent(includingFile));
    std::string folder = firstComponent(header);
    if (rules == kMayInclude.end() || !isLayerFolder(folder) || rules->second.contains(folder)) return {};
    return includingFile + " includes " + header;
}

std::vector<std::string> quotedIncludes(const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> headers;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, match, include)) headers.push_back(match[1]);
    }
    return headers;
}

bool isSourceFile(const fs::path& path) {
    return path.extension() == ".cpp" || path.extension() == ".h" || path.extension() == ".mm";
}

TEST(LayerRules, NoSourceFileIncludesALayerItMayNotUse) {
    const fs::path root = VIMBLE_SOURCE_DIR;
    std::vector<std::string> found;
    std::size_t checked = 0;
    for (const auto& [folder, allowed] : kMayInclude) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            if (!entry.is_regular_file() || !isSourceFile(entry.path())) continue;
            ++checked;
            std::string file = fs::relative(entry.path(), root).generic_string();
            for (const auto& header : quotedIncludes(entry.path())) {
                if (auto why = violation(file, header); !why.empty()) found.push_back(why);
            }
        }
    }
    EXPECT_GT(checked, 100u) << "the walk found too few source files under " << root;
    for (const auto& why : found) ADD_FAILURE() << why;
}

} // namespace
