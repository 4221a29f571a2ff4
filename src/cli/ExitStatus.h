#pragma once

namespace qw::cli {

// Exit statuses of the tool, as the help text documents them.
enum class ExitStatus : int {
    Success = 0,
    WouldChange = 1, // --check: at least one file would be written
    Usage = 2,       // the command line could not be understood
    Failed = 3,      // a file could not be read, processed or written
};

} // namespace qw::cli
