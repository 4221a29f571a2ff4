#include "drivers/SaveFile.h"

#include "engine/SourcePass.h"
#include "platform/FileSystem.h"
#include "text/Text.h"

namespace qw {
namespace {

SaveResult cannotCreate(const std::string& target, std::string reason,
                        std::string backupPath = {}) {
    return {false, "Cannot create file " + target, std::move(reason), std::move(backupPath)};
}

// "Main.BAK" and "Main.bak" are one file on the platform the sources come
// from; moving a file onto its own backup name would delete it.
bool sameFileName(std::string_view a, std::string_view b) {
    return equalsIgnoringCase(a, b);
}

} // namespace

SaveOptions saveOptionsFor(const LineBreaks& source) {
    return {std::string(source.dominant()),
            source.finalBreak ? ResultEditor::FinalBreak::Yes : ResultEditor::FinalBreak::No,
            source.byteOrderMark ? SaveOptions::ByteOrderMark::Yes
                                 : SaveOptions::ByteOrderMark::No};
}

std::string savedText(const ResultEditor& editor, const SaveOptions& options) {
    std::string text = editor.text(options.lineBreak, options.finalBreak);
    if (options.byteOrderMark == SaveOptions::ByteOrderMark::Yes)
        text.insert(0, "\xEF\xBB\xBF");
    return text;
}

void writeSavedText(const ResultEditor& editor, const SaveOptions& options,
                    const std::function<bool(std::string_view)>& sink) {
    if (options.byteOrderMark == SaveOptions::ByteOrderMark::Yes && !sink("\xEF\xBB\xBF"))
        return;
    editor.writeText(options.lineBreak, options.finalBreak, sink);
}

std::string backupName(std::string_view target) {
    const auto separator = target.find_last_of("\\/:");
    const auto nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const auto dot = target.rfind('.');
    const auto stemEnd = (dot == std::string_view::npos || dot < nameStart) ? target.size() : dot;
    return std::string(target.substr(0, stemEnd)) + ".bak";
}

SaveResult saveFile(FileSystem& fs, const std::string& target, std::string_view bytes) {
    if (fs.isDirectory(target))
        return cannotCreate(target, "is a directory");
    const std::string temporary = temporaryNameBeside(fs, target);
    if (temporary.empty())
        return cannotCreate(target, "no free name for a temporary file beside it");
    if (IoResult written = fs.writeFile(temporary, bytes); !written) {
        (void)fs.removeFile(temporary);
        return cannotCreate(target, written.error);
    }

    const std::string backup = backupName(target);
    bool backedUp = false;
    if (!sameFileName(backup, target)) {
        (void)fs.removeFile(backup); // an old backup that stays is replaced by the rename
        backedUp = fs.renameFile(target, backup).ok;
    }

    if (IoResult placed = fs.renameFile(temporary, target); !placed) {
        const bool restored = backedUp && fs.renameFile(backup, target).ok;
        (void)fs.removeFile(temporary);
        return cannotCreate(target, placed.error, backedUp && !restored ? backup : std::string());
    }
    return {true, {}, {}, backedUp ? backup : std::string()};
}

SaveResult saveFile(FileSystem& fs, const std::string& target, const ResultEditor& editor,
                    const SaveOptions& options) {
    return saveFile(fs, target, savedText(editor, options));
}

} // namespace qw
