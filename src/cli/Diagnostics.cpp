#include "cli/Diagnostics.h"

#include <algorithm>

namespace qw::cli {
namespace {

bool offers(const Message& m, Button b) {
    return std::find(m.buttons.begin(), m.buttons.end(), b) != m.buttons.end();
}

const char* severity(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return "warning";
    case DialogKind::Error:
        return "error";
    case DialogKind::Information:
        return "note";
    case DialogKind::Confirmation:
        return "note";
    }
    return "note";
}

} // namespace

Button answerFor(ProblemPolicy policy, const Message& message) {
    if (policy == ProblemPolicy::Ignore) {
        if (offers(message, Button::Ignore))
            return Button::Ignore;
        if (offers(message, Button::Retry))
            return Button::Retry;
    }
    if (offers(message, Button::Abort))
        return Button::Abort;
    return message.buttons.empty() ? Button::Ok : message.buttons.front();
}

std::string diagnosticLine(const Message& message) {
    std::string text;
    for (std::size_t i = 0; i < message.text.size(); ++i) {
        const char c = message.text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < message.text.size() && message.text[i + 1] == '\n')
                ++i;
            text += ' ';
        } else {
            text += c;
        }
    }
    std::string line = message.fileName;
    if (message.lineNo > 0)
        line += ":" + std::to_string(message.lineNo);
    line += ": ";
    line += severity(message.kind);
    line += ": ";
    line += text;
    return line;
}

} // namespace qw::cli
