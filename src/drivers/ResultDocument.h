#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "drivers/SaveFile.h"
#include "platform/LargeTextMemory.h"
#include "text/ResultEditor.h"

namespace qw {

class FileSystem;

// Whether the count of a result tells inserted comments (a comment run) or
// removed ones (a clean run); the result window words its count after it.
enum class CountKind { Insertions, Removals };

// Whether the result window may save what it shows. A result shown after an
// aborted pass can be read but not saved.
enum class SaveButton { Enabled, Disabled };

// What a driver hands to the result window: the text the pass produced for
// one file, the name it is saved under and how its lines are to be written.
// The driver owns it for one run; the window only shows it (and may let the
// user edit `editor`) while DriverUi::showResult runs.
struct ResultDocument {
    // The full path of the file as it lies on disk (for a unit found under
    // another letter case, its name on disk, not the queued one). It is the
    // window's title and the name Save writes to; the backup is
    // backupName(title).
    std::string title;
    // The pass's output: lines without breaks, inserted comments marked.
    ResultEditor editor{largeTextMemory()};
    // How the source ended its lines (and its byte-order mark), so that a save
    // writes them back alike: pass savedText(editor, saveOptions) to the disk.
    SaveOptions saveOptions;
    // Whether the pass could open the file. Its bytes are not kept beside
    // the result (a large file would be held twice): readSource and
    // matchesSource read it again where a diff or a check needs it.
    bool sourceRead = false;
    std::int32_t commentCount = 0;
    CountKind counts = CountKind::Insertions;
    // A comment run had no schema (none could be read at start, or the user
    // chose an empty one): it wrote no header comments, and the window says so.
    bool withoutSchema = false;
    SaveButton saveButton = SaveButton::Enabled;

    // The bytes a save writes.
    std::string savedBytes() const { return savedText(editor, saveOptions); }
    // The file's bytes as they are on disk; nothing when it cannot be read.
    std::optional<std::string> readSource(FileSystem& fs) const;
    // Whether a save would write the bytes the file holds, compared a piece
    // at a time; false when the file cannot be read.
    bool matchesSource(FileSystem& fs) const;
};

// The result window's Save: the backup, then the document's text written to
// its title (through a temporary file, so that a failed write changes
// nothing). Shells call it for their Save button and, usually, from
// DriverUi::saveResult.
SaveResult saveResultDocument(FileSystem& fs, const ResultDocument& document);

} // namespace qw
