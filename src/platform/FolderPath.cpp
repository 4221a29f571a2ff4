#include "platform/FolderPath.h"

#include <algorithm>

#include "text/Text.h"

namespace qw {
namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

bool hasDriveLetter(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The length of the root at the start of `path`: 0 for a relative path.
std::size_t rootLength(std::string_view path) {
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // \\server\share\ : the share is the root.
        std::size_t end = 2;
        for (int part = 0; part < 2 && end < path.size(); ++part) {
            while (end < path.size() && !isSeparator(path[end]))
                ++end;
            if (end < path.size())
                ++end;
        }
        return end;
    }
    if (hasDriveLetter(path))
        return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
    return !path.empty() && isSeparator(path[0]) ? 1 : 0;
}

std::string_view withoutTrailingSeparators(std::string_view path) {
    const std::size_t root = rootLength(path);
    while (path.size() > root && isSeparator(path.back()))
        path.remove_suffix(1);
    return path;
}

char separatorOf(std::string_view folder) {
    const std::size_t last = folder.find_last_of("/\\");
    return last == std::string_view::npos ? '/' : folder[last];
}

} // namespace

std::string folderOf(std::string_view path) {
    const std::size_t root = rootLength(path);
    const std::size_t last = path.find_last_of("/\\");
    if (last == std::string_view::npos || last < root)
        return std::string(path.substr(0, root));
    return std::string(withoutTrailingSeparators(path.substr(0, last + 1)));
}

std::string parentFolder(std::string_view folder) {
    const std::string_view trimmed = withoutTrailingSeparators(folder);
    if (trimmed.size() <= rootLength(trimmed))
        return {};
    return folderOf(trimmed);
}

std::string resolvedAgainst(std::string_view folder, std::string_view path) {
    if (rootLength(path) > 0 || folder.empty())
        return std::string(path);
    const char separator = separatorOf(folder);
    std::string out(folder);
    if (!isSeparator(out.back()))
        out += separator;
    const std::size_t start = out.size();
    out += path;
    // A Windows folder gets Windows separators throughout; elsewhere a
    // backslash is part of a name.
    if (separator == '\\')
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '/', '\\');
    return out;
}

bool sameFolder(std::string_view a, std::string_view b) {
    a = withoutTrailingSeparators(a);
    b = withoutTrailingSeparators(b);
    if (a.size() != b.size())
        return false;
    const bool anyCase = hasDriveLetter(a) || hasDriveLetter(b);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isSeparator(a[i]) && isSeparator(b[i]))
            continue;
        if (anyCase ? toLowerAscii(a[i]) != toLowerAscii(b[i]) : a[i] != b[i])
            return false;
    }
    return true;
}

} // namespace qw
