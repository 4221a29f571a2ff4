#pragma once

namespace qw::cli {

enum class StandardStream { Output, Error };

// Whether the stream goes to a terminal (and not to a file or a pipe).
bool isTerminal(StandardStream stream);

// The terminal's width in columns; 80 when it cannot be told.
int terminalColumns();

} // namespace qw::cli
