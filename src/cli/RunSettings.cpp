#include "cli/RunSettings.h"

#include <charconv>
#include <cstdlib>

#include "cli/BundledSchema.h"
#include "cli/UserSettings.h"
#include "engine/FileSystem.h"
#include "schema/FixedEpochClock.h"
#include "schema/ProjectSettings.h"
#include "schema/SchemaFile.h"
#include "schema/Settings.h"
#include "schema/SystemClock.h"

namespace qw::cli {
namespace {

constexpr int kHighestStyle = 3;

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
    const Settings& stored = loaded.settings;

    PassOptions& o = run.options;
    o.clock = run.clock.get();
    o.coderName = overrides.coderName.value_or(
        project && project->coderName ? project->coderName->value : stored.coderName);
    if (overrides.style) {
        o.style = *overrides.style;
    } else if (project && project->style) {
        o.style = project->style->value;
    } else if (stored.endCommentStyle <= kHighestStyle) {
        o.style = static_cast<EndCommentStyle>(stored.endCommentStyle);
    } else {
        run.warnings.push_back("the stored style " + std::to_string(stored.endCommentStyle) +
                               " is not 0 to 3; style 2 is used");
        o.style = EndCommentStyle::Brace;
    }
    o.crossReference = overrides.crossReference.value_or(project && project->crossReference
                                                             ? project->crossReference->value
                                                             : stored.crossReference);

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
        o.schema = loadSchema(bytes);
        run.schemaFile = *file;
    }
    result.settings = std::move(run);
    return result;
}

} // namespace qw::cli
