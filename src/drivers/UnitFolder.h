#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qw {

class FileSystem;

// The folder in which a project walk looks for its units. The queued names
// are in lower case while the files may be spelt otherwise (Unit1.pas), and a
// file system that tells letter case apart would not find them; so a name is
// matched against the folder's entries without regard to case, as on the
// platform the sources come from, and the file keeps its name on disk.
class UnitFolder {
public:
    // `folder` empty: the current directory.
    UnitFolder(FileSystem& fs, std::string folder);

    // The path of the file that `name` (no folder) stands for: the folder
    // joined with the entry's own spelling, an entry spelt exactly alike
    // first, else the first of the others in byte order. Nothing when no file
    // of that name is there (a folder of that name does not count).
    std::optional<std::string> find(const std::string& name);

private:
    // The entries spelt like `lowerName` but for letter case; null when none.
    const std::vector<std::string>* entriesLike(const std::string& lowerName);

    FileSystem& fs_;
    std::string folder_;
    bool listed_ = false;
    // Lower-case entry name -> the entries spelt so, sorted.
    std::map<std::string, std::vector<std::string>> entries_;
};

} // namespace qw
