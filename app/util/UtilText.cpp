#include "UtilText.h"

#include <array>
#include <charconv>

bool StripFirstDir(std::string& s) {
    const size_t slash = s.find('\\');
    if (slash == std::string::npos) return false;
    s.erase(0, slash + 1);
    return true;
}

namespace {

// The file name: what is left once every leading folder is stripped. A text
// without any "\" is a bare file name.
std::string FileNameOfPath(const std::string& modulePath) {
    std::string s = modulePath;
    std::string name = s;
    while (StripFirstDir(s)) name = s;
    return name;
}

}  // namespace

std::string BaseNameOfPath(const std::string& modulePath) {
    const std::string name = FileNameOfPath(modulePath);
    const size_t dot = name.find('.');
    if (dot == std::string::npos) return {};
    return name.substr(0, dot);
}

std::string FolderOfPath(const std::string& modulePath) {
    const size_t nameLength = FileNameOfPath(modulePath).size();
    // The folder ends before the "\" that precedes the name; a bare name has none.
    if (modulePath.size() < nameLength + 1) return {};
    return modulePath.substr(0, modulePath.size() - nameLength - 1);
}

std::string IntToText(int n) {
    std::array<char, 20> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    if (error != std::errc{}) return {};
    return std::string(buffer.data(), end);
}
