#pragma once

#include <string>

#include "engine/Message.h"

namespace qw::cli {

// How the tool answers the engine's questions, since nobody sits at a dialog.
enum class ProblemPolicy {
    Abort,  // leave the file as it was
    Ignore, // take Ignore or Retry where offered and go on
};

struct AnsweredMessage {
    Message message;
    Button answer;
};

// The answer the policy gives to a message.
Button answerFor(ProblemPolicy policy, const Message& message);
// "FILE:LINE: warning: TEXT", the text on one line.
std::string diagnosticLine(const Message& message);

} // namespace qw::cli
