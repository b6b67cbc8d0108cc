#include "tests/support/IndependentReaders.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 4096> buffer{};
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), read);
    ::pclose(pipe);
    return output;
}

} // namespace

std::string runPython(const std::string& script, const std::string& arguments) {
    return commandOutput(std::string(PYTHON3_EXECUTABLE) + " -c '" + script + "' " + arguments);
}

std::string readWithPlistutil(const std::filesystem::path& hostPath) {
    std::filesystem::path binary = hostPath.string() + ".converted";
    std::string convert = "plistutil -i '" + hostPath.string() + "' -o '" + binary.string() + "' -f bin";
    if (std::system(convert.c_str()) != 0) return "plistutil failed";
    std::string json = readWithPlistlib(binary);
    std::filesystem::remove(binary);
    return json;
}

std::string readWithPlistlib(const std::filesystem::path& hostPath) {
    std::string json = runPython("import json,plistlib,sys; print(json.dumps(plistlib.load(open(sys.argv[1],\"rb\")), "
                                 "ensure_ascii=False, sort_keys=True), end=\"\")",
                                 "'" + hostPath.string() + "'");
    return json;
}
