#pragma once

#include <optional>

#include "engine/Message.h"

namespace qw {

class FileSystem;
struct ResultDocument;

// The check before a save that nobody reviews (a project walk's units, the
// command-line tool's in-place writes): commenting and cleaning may only add
// or remove comments and blanks, so the result must hold the code of the file
// it came from. Returns the warning to show instead of saving (OK only; it
// names the file's first line where the code departs), or nothing when the
// result may be saved. The file is read again from `fs`.
std::optional<Message> unreviewedSaveRefusal(FileSystem& fs, const ResultDocument& result);

} // namespace qw
