#include "app/core/ResultDocument.h"

namespace qw {

SaveResult saveResultDocument(FileSystem& fs, const ResultDocument& document) {
    return saveFile(fs, document.title, document.savedBytes());
}

} // namespace qw
