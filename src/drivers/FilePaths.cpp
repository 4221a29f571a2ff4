#include "drivers/FilePaths.h"

namespace qw {
namespace {

constexpr std::string_view kSeparators = "\\/:";

bool isSeparator(char c) {
    return kSeparators.find(c) != std::string_view::npos;
}

} // namespace

std::string_view fileNameOf(std::string_view path) {
    const auto separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view folderOf(std::string_view path) {
    const auto separator = path.find_last_of(kSeparators);
    if (separator == std::string_view::npos)
        return {};
    // A root keeps its separator: the folder of "/Main.dpr" is "/", of
    // "C:\Main.dpr" is "C:\", of "C:Main.dpr" is "C:".
    const bool root =
        separator == 0 || path[separator] == ':' || (separator == 2 && path[1] == ':');
    return path.substr(0, root ? separator + 1 : separator);
}

bool hasFolder(std::string_view path) {
    return path.find_first_of(kSeparators) != std::string_view::npos;
}

std::string_view extensionOf(std::string_view path) {
    const std::string_view name = fileNameOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string joinPath(std::string_view folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    std::string path(folder);
    if (!isSeparator(path.back()))
        path += '/';
    path += name;
    return path;
}

} // namespace qw
