#pragma once

#include <string>
#include <string_view>

namespace qw {

// Paths as text, in the forms of both platforms: '/' and '\' separate
// folders, and a root is "/", "C:\" (or "C:/") or "\\server\share\", so that
// a path means the same whichever platform reads it.

// The folder part of `path` ("src/Unit1.pas" gives "src"); empty when it has
// none. A root keeps its separator ("/Unit1.pas" gives "/").
std::string folderOf(std::string_view path);

// The folder above `folder`, or empty when `folder` is a root or a bare name.
std::string parentFolder(std::string_view folder);

// `path` as seen from `folder`: an absolute path stays as it is, a relative
// one is appended to the folder with the separator the folder uses (in a
// folder with '\' separators its '/' become '\' too).
std::string resolvedAgainst(std::string_view folder, std::string_view path);

// Whether two folders are the same, trailing separators and the kind of
// separator aside; letter case counts only in paths without a drive letter.
bool sameFolder(std::string_view a, std::string_view b);

} // namespace qw
