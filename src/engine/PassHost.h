#pragma once

#include "engine/Message.h"
#include "engine/Progress.h"

namespace qw {

// What the pass needs of its surroundings: someone to answer its questions and
// someone to watch its progress (and set the abort flag between lines).
class PassHost {
public:
    virtual ~PassHost() = default;
    // Shows a modal message and returns the button pressed.
    virtual Button ask(const Message& message) = 0;
    // Called once per line after the counters moved; a window handles its
    // pending events here.
    virtual void lineProcessed(Progress& progress) { (void)progress; }
};

} // namespace qw
