#pragma once

#include <string>

namespace qw::cli {

// The full path of the running program; empty when the platform cannot tell.
std::string executablePath();

} // namespace qw::cli
