#include "drivers/UnreviewedSave.h"

#include "drivers/ResultDocument.h"
#include "platform/FileSystem.h"
#include "text/CodeEquivalence.h"

namespace qw {

std::optional<SaveRefusal> unreviewedSaveRefusal(FileSystem& fs, const ResultDocument& result,
                                                 std::string_view saved) {
    std::string source;
    if (const IoResult read = fs.readFile(result.title, source); !read)
        return SaveRefusal{SaveRefusal::Cause::SourceUnreadable, read.error, 0};
    const std::optional<CodeMismatch> mismatch = findCodeMismatch(source, saved);
    if (!mismatch)
        return std::nullopt;
    return SaveRefusal{SaveRefusal::Cause::CodeDiffers, describeCodeMismatch(*mismatch),
                       mismatch->beforeLine};
}

Message refusalMessage(const SaveRefusal& refusal, const ResultDocument& result) {
    const std::string why = refusal.cause == SaveRefusal::Cause::SourceUnreadable
                                ? "the file cannot be read again: " + refusal.reason
                                : refusal.reason;
    return Message{MessageId::ResultNotSaved,
                   DialogKind::Warning,
                   "The result was not saved: " + why,
                   {Button::Ok},
                   result.title,
                   refusal.line};
}

} // namespace qw
