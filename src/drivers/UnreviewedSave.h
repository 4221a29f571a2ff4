#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/Message.h"

namespace qw {

class FileSystem;
struct ResultDocument;

// Why a result that nobody reviews may not be saved.
struct SaveRefusal {
    enum class Cause { SourceUnreadable, CodeDiffers };
    Cause cause = Cause::CodeDiffers;
    std::string reason; // "permission denied", "the code differs at line 3 (...)"
    int line = 0;       // the file's first line where the code departs
};

// The check before a save that nobody reviews (a project walk's units, the
// command-line tool's in-place writes): commenting and cleaning may only add
// or remove comments and blanks, so the result must hold the code of the file
// it came from, read again from `fs`. `saved` is the result's saved bytes,
// which the caller writes when nothing refuses them.
std::optional<SaveRefusal> unreviewedSaveRefusal(FileSystem& fs, const ResultDocument& result,
                                                 std::string_view saved);

// The warning shown instead of saving (OK only).
Message refusalMessage(const SaveRefusal& refusal, const ResultDocument& result);

} // namespace qw
