#pragma once

#include <string>
#include <vector>

#include "engine/PassOptions.h"
#include "settings/Settings.h"

namespace qw {

class Clock;
class FileSystem;

// What a run of the passes works with, the same in every shell: the pass
// options that the settings in effect give, with the schema they name and
// the clock of %Date and %Time.
struct RunConfiguration {
    PassOptions options;
    std::vector<std::string> warnings; // stored values that mean nothing, and what serves instead
};

RunConfiguration runConfiguration(const Settings& settings, Schema schema, Clock* clock,
                                  FileSystem* files = nullptr);

} // namespace qw
