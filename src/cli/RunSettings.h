#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/PassOptions.h"
#include "platform/Clock.h"

namespace qw {
class FileSystem;
struct LoadedSettings;
struct ProjectSettings;
} // namespace qw

namespace qw::cli {

// What the command line says for one run; what it leaves unset comes from
// the stored settings.
struct PassOverrides {
    std::optional<std::string> schemaFile;
    std::optional<std::string> coderName;
    std::optional<EndCommentStyle> style;
    std::optional<CrossReference> crossReference;
};

// Whether the run needs the schema: clean runs never read it.
enum class SchemaUse { Needed, NotNeeded };

// The pass options of one run and the clock they point to.
struct RunSettings {
    std::unique_ptr<Clock> clock;
    PassOptions options; // options.clock points into `clock`
    std::string schemaFile;
    std::vector<std::string> warnings; // said on standard error, the run goes on
};

// Why a run has no settings: a value the user gave that is no value (a
// usage error) or a file that cannot be found or read.
enum class RunSettingsFault { BadValue, Unreadable };

struct RunSettingsResult {
    std::optional<RunSettings> settings;
    std::string error; // "cannot read schema FILE: reason", ... when `settings` is empty
    RunSettingsFault fault = RunSettingsFault::Unreadable;
};

// Reads the stored settings, puts the values of the project settings file
// (null: none applies) and then the overrides over them, loads the schema
// (the stored SchemaDirectory + SchemaName; the bundled Demo.cs only when no
// schema is named anywhere) and picks the clock: SOURCE_DATE_EPOCH as a fixed
// moment in UTC when it is set, else the system clock.
RunSettingsResult runSettings(FileSystem& fs, const PassOverrides& overrides, SchemaUse use,
                              const ProjectSettings* project = nullptr);

// The schema file a run reads: `given` (--schema) when set, else the one the
// project settings file names, else the stored SchemaDirectory + SchemaName,
// else, when no schema name is stored at all, the bundled Demo.cs. Empty with
// `error` set when that cannot be found.
std::optional<std::string> schemaFileFor(FileSystem& fs, const std::optional<std::string>& given,
                                         const ProjectSettings* project,
                                         const LoadedSettings& loaded, std::string& error);

// The clock of a run, from the value of SOURCE_DATE_EPOCH (null: not set).
// Empty with `error` set when the value is not a number of seconds.
std::unique_ptr<Clock> runClock(const char* sourceDateEpoch, std::string& error);

} // namespace qw::cli
