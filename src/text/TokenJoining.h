#pragma once

namespace qw {

// Would `a` and `b`, written next to each other, read as one token (or start
// a comment) where with a separator between them they read as two? Only
// there does a separator carry meaning: the clean pass keeps a blank where it
// removed a comment between such characters, and the code comparison insists
// on a separator on both sides. Errs on the side of meaning.
bool separatorMatters(char a, char b);

} // namespace qw
