#pragma once

#include <string>
#include <vector>

namespace qw {

enum class DialogKind { Warning, Error, Information, Confirmation };

enum class Button { Yes, No, Ok, Cancel, Abort, Retry, Ignore };

// A modal question the engine or a driver puts to the user.
struct Message {
    DialogKind kind = DialogKind::Information;
    std::string text;
    std::vector<Button> buttons;
    std::string fileName; // the file being processed, when there is one
    int lineNo = 0;       // its current line, 0 when none
};

const char* dialogTitle(DialogKind kind); // "Warning", "Error", ...
const char* buttonName(Button button);    // "Abort", "Ignore", ...

} // namespace qw
