#pragma once

#include <string>
#include <vector>

namespace qw {

enum class DialogKind { Warning, Error, Information, Confirmation };

enum class Button { Yes, No, Ok, Cancel, Abort, Retry, Ignore };

// Which message a Message is. A shell that answers without showing the
// message (the command-line tool, a test) decides by this, never by the text.
enum class MessageId {
    // the pass
    CannotProcessFile,
    StringExceedsLine,
    InternalError,
    DeclarationStackOverflow,
    DeclarationStackEmpty,
    // the drivers
    AbortedSeeResults,
    NothingGenerated,
    NothingRemoved,
    NotAProjectFile,
    ResultNotSaved, // the code check kept a result from being saved
    // the windows and the plug-in
    DeleteSchema,
    AbandonChanges,
    NotAPascalSource,
    EditorNotStarted,
    SchemaUnreadable,
};

// A modal question the engine or a driver puts to the user.
struct Message {
    MessageId id = MessageId::InternalError;
    DialogKind kind = DialogKind::Information;
    std::string text;
    std::vector<Button> buttons;
    std::string fileName; // the file being processed, when there is one
    int lineNo = 0;       // its current line, 0 when none
};

const char* dialogTitle(DialogKind kind); // "Warning", "Error", ...
const char* buttonName(Button button);    // "Abort", "Ignore", ...

} // namespace qw
