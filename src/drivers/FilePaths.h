#pragma once

#include <string>
#include <string_view>

namespace qw {

// Path helpers of the drivers. Both "/" and "\" separate folders (and a
// drive's ":"), so that names from either platform are taken apart alike.

// The file name without its folder.
std::string_view fileNameOf(std::string_view path);
// The folder part of the path, without the separator before the file name
// (but a root keeps its own: "/" or "C:\"); empty when it names none.
std::string_view folderOf(std::string_view path);
// Whether the path names a folder as well as a file name.
bool hasFolder(std::string_view path);
// The extension of the file name, from its last "." on ("." included); empty
// when the name has none.
std::string_view extensionOf(std::string_view path);
// `name` inside `folder`; just `name` when the folder is empty.
std::string joinPath(std::string_view folder, std::string_view name);

} // namespace qw
