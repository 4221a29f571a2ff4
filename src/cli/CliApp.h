#pragma once

namespace qw::cli {

// Parses the command line, runs the command and returns the exit status.
int run(int argc, char** argv);

} // namespace qw::cli
