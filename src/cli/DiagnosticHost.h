#pragma once

#include <ostream>
#include <vector>

#include "engine/PassHost.h"

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

// Prints the engine's messages as compiler-style diagnostics and answers them
// by the policy.
class DiagnosticHost : public PassHost {
public:
    DiagnosticHost(ProblemPolicy policy, std::ostream& diagnostics)
        : policy_(policy), out_(diagnostics) {}
    Button ask(const Message& message) override;

    std::vector<AnsweredMessage> takeMessages();

private:
    ProblemPolicy policy_;
    std::ostream& out_;
    std::vector<AnsweredMessage> messages_;
};

// The answer the policy gives to a message.
Button answerFor(ProblemPolicy policy, const Message& message);
// "FILE:LINE: warning: TEXT", the text on one line.
std::string diagnosticLine(const Message& message);

} // namespace qw::cli
