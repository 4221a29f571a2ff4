#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "text/ResultEditor.h"

namespace qw {

class FileSystem;
struct LineBreaks;

// How the saved text ends its lines: as the source file did, so that a save
// on a platform whose sources use LF does not rewrite every line. The pass
// keeps a UTF-8 byte-order mark out of the editor; the save puts it back.
struct SaveOptions {
    enum class ByteOrderMark { No, Yes };
    std::string lineBreak = "\r\n";
    ResultEditor::FinalBreak finalBreak = ResultEditor::FinalBreak::Yes;
    ByteOrderMark byteOrderMark = ByteOrderMark::No;
};

// The line breaks of the source: its most frequent one (CR LF when it has
// none), a final break only where the source ended with one, and its
// byte-order mark.
SaveOptions saveOptionsFor(const LineBreaks& source);

// The bytes the editor's text becomes on disk, without its comment marks.
std::string savedText(const ResultEditor& editor, const SaveOptions& options);
// The same bytes handed to `sink` a piece at a time, until it returns false.
void writeSavedText(const ResultEditor& editor, const SaveOptions& options,
                    const std::function<bool(std::string_view)>& sink);

// The target with its extension replaced by ".bak". The extension is the part
// of the file name from its last "." on; folders (separated by "\", "/" or a
// drive's ":") never give one, and a name without "." keeps its whole text.
std::string backupName(std::string_view target);

struct SaveResult {
    bool ok = true;
    std::string message;    // "Cannot create file <target>" when the save failed
    std::string reason;     // why, in the file system's words ("permission denied")
    std::string backupPath; // where the file as it was now lies; empty when no backup was made
    explicit operator bool() const { return ok; }
};

// Saves `bytes` as `target`, keeping the file as it was under its backup name.
// The text is first written and flushed to a temporary file beside the target;
// only then is the old backup deleted, the target moved to the backup and the
// temporary renamed into place. A failed write therefore changes nothing, and
// the target is never left half-written. Failures to delete the old backup or
// to make the new one are not errors: the target is then replaced without a
// backup.
SaveResult saveFile(FileSystem& fs, const std::string& target, std::string_view bytes);

// Saves savedText(editor, options).
SaveResult saveFile(FileSystem& fs, const std::string& target, const ResultEditor& editor,
                    const SaveOptions& options);

} // namespace qw
