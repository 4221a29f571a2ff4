#include "engine/Message.h"

namespace qw {

const char* dialogTitle(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return "Warning";
    case DialogKind::Error:
        return "Error";
    case DialogKind::Information:
        return "Information";
    case DialogKind::Confirmation:
        return "Confirm";
    }
    return "";
}

const char* buttonName(Button button) {
    switch (button) {
    case Button::Yes:
        return "Yes";
    case Button::No:
        return "No";
    case Button::Ok:
        return "OK";
    case Button::Cancel:
        return "Cancel";
    case Button::Abort:
        return "Abort";
    case Button::Retry:
        return "Retry";
    case Button::Ignore:
        return "Ignore";
    }
    return "";
}

} // namespace qw
