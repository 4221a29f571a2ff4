#include "drivers/ResultDocument.h"

#include <cstring>
#include <stdexcept>

#include "platform/FileSystem.h"

namespace qw {

SaveResult saveResultDocument(FileSystem& fs, const ResultDocument& document) {
    return saveFile(fs, document.title, document.savedBytes());
}

std::optional<std::string> ResultDocument::readSource(FileSystem& fs) const {
    std::string bytes;
    if (!fs.readFile(title, bytes))
        return std::nullopt;
    return bytes;
}

bool ResultDocument::matchesSource(FileSystem& fs) const {
    IoResult opened;
    const std::unique_ptr<ByteReader> reader = fs.openForReading(title, opened);
    if (!reader)
        return false;
    std::string piece;
    bool same = true;
    try {
        // The first difference decides: a changed file is not put together
        // to its end.
        writeSavedText(editor, saveOptions, [&](std::string_view saved) {
            piece.resize(saved.size());
            std::size_t got = 0;
            while (got < saved.size()) {
                const std::size_t n = reader->read(piece.data() + got, saved.size() - got);
                if (n == 0)
                    break;
                got += n;
            }
            same = got == saved.size() && std::memcmp(piece.data(), saved.data(), got) == 0;
            return same;
        });
    } catch (const std::runtime_error&) {
        return false;
    }
    char extra = 0;
    return same && reader->read(&extra, 1) == 0;
}

} // namespace qw
