#include "cli/RunSettings.h"

#include <charconv>
#include <cstdlib>

#include "cli/BundledSchema.h"
#include "cli/UserSettings.h"
#include "drivers/RunConfiguration.h"
#include "platform/FileSystem.h"
#include "platform/FixedEpochClock.h"
#include "platform/SystemClock.h"
#include "schema/SchemaFile.h"
#include "settings/ProjectSettings.h"
#include "settings/Settings.h"

namespace qw::cli {
namespace {

// The stored settings with the project settings file's values over them,
// and the command line's over those.
Settings settingsInEffect(Settings settings, const ProjectSettings* project,
                          const PassOverrides& overrides) {
    if (project && project->coderName)
        settings.coderName = project->coderName->value;
    if (project && project->style)
        settings.endCommentStyle = static_cast<std::uint8_t>(project->style->value);
    if (project && project->crossReference)
        settings.crossReference = project->crossReference->value;
    if (overrides.coderName)
        settings.coderName = *overrides.coderName;
    if (overrides.style)
        settings.endCommentStyle = static_cast<std::uint8_t>(*overrides.style);
    if (overrides.crossReference)
        settings.crossReference = *overrides.crossReference;
    return settings;
}

} // namespace

std::optional<std::string> schemaFileFor(FileSystem& fs, const std::optional<std::string>& given,
                                         const ProjectSettings* project,
                                         const LoadedSettings& loaded, std::string& error) {
    if (given)
        return given;
    if (project && project->schema)
        return project->schema->value;
    if (loaded.isStored(setting_names::kName))
        return schemaPath(loaded.settings);
    if (std::optional<std::string> bundled = findBundledSchema(fs))
        return bundled;
    error = "cannot find the bundled schema ";
    error += kBundledSchemaName;
    error += "; looked in:";
    for (const std::string& candidate : bundledSchemaCandidates())
        error += " '" + candidate + "'";
    error += "; give one with --schema FILE";
    return std::nullopt;
}

std::unique_ptr<Clock> runClock(const char* sourceDateEpoch, std::string& error) {
    if (!sourceDateEpoch)
        return std::make_unique<SystemClock>();
    const std::string_view text(sourceDateEpoch);
    long long seconds = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || seconds < 0) {
        error = "SOURCE_DATE_EPOCH is not a number of seconds: '" + std::string(text) + "'";
        return nullptr;
    }
    return std::make_unique<FixedEpochClock>(static_cast<std::time_t>(seconds));
}

RunSettingsResult runSettings(FileSystem& fs, const PassOverrides& overrides, SchemaUse use,
                              const ProjectSettings* project) {
    RunSettingsResult result;
    RunSettings run;
    run.clock = runClock(std::getenv("SOURCE_DATE_EPOCH"), result.error);
    if (!run.clock) {
        result.fault = RunSettingsFault::BadValue;
        return result;
    }

    UserSettings user = openUserSettings(fs);
    const LoadedSettings loaded = loadSettings(*user.store, user.user);
    if (!loaded.store)
        run.warnings.push_back("cannot read the settings in '" + user.location +
                               "': " + loaded.store.error + "; the defaults are used");
    const Settings effective = settingsInEffect(loaded.settings, project, overrides);

    Schema schema;
    if (use == SchemaUse::Needed) {
        const std::optional<std::string> file =
            schemaFileFor(fs, overrides.schemaFile, project, loaded, result.error);
        if (!file)
            return result;
        std::string bytes;
        if (IoResult read = fs.readFile(*file, bytes); !read) {
            result.error = "cannot read schema " + *file + ": " + read.error;
            return result;
        }
        schema = loadSchema(bytes);
        run.schemaFile = *file;
    }
    RunConfiguration configured = runConfiguration(effective, std::move(schema), run.clock.get());
    run.options = std::move(configured.options);
    for (std::string& warning : configured.warnings)
        run.warnings.push_back(std::move(warning));
    result.settings = std::move(run);
    return result;
}

} // namespace qw::cli
