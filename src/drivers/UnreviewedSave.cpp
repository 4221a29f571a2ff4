#include "drivers/UnreviewedSave.h"

#include "drivers/ResultDocument.h"
#include "text/CodeEquivalence.h"

namespace qw {

std::optional<Message> unreviewedSaveRefusal(FileSystem& fs, const ResultDocument& result) {
    const std::optional<CodeMismatch> mismatch =
        findCodeMismatch(result.readSource(fs).value_or(std::string()), result.savedBytes());
    if (!mismatch)
        return std::nullopt;
    return Message{MessageId::ResultNotSaved,
                   DialogKind::Warning,
                   "The result was not saved: " + describeCodeMismatch(*mismatch),
                   {Button::Ok},
                   result.title,
                   mismatch->beforeLine};
}

} // namespace qw
