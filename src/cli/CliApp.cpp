#include "cli/CliApp.h"

#include <clocale>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <thread>

#include <CLI/CLI.hpp>

#include "cli/ExitStatus.h"
#include "cli/FileCommand.h"
#include "cli/FileDiscovery.h"
#include "cli/HelpFormatter.h"
#include "cli/JobPlan.h"
#include "cli/JsonReport.h"
#include "cli/OrderedRun.h"
#include "cli/ProgressBar.h"
#include "cli/ProjectCommand.h"
#include "cli/ProjectSettingsLookup.h"
#include "cli/RunSettings.h"
#include "cli/SettingsCommand.h"
#include "platform/FileSystem.h"
#include "platform/Terminal.h"
#include "platform/UserEnvironment.h"

namespace qw::cli {
namespace {

constexpr const char* kDescription =
    "Quillwright comments Object Pascal / Delphi sources (*.pas, *.inc, *.dpr): a header above "
    "every routine of the implementation part, a short comment behind the begin and end of "
    "blocks, and optionally a cross-reference. 'clean' strips all comments again (compiler "
    "directives stay); 'project' comments a project file and every unit it reaches.\n"
    "Defaults (schema, style, coder, cross-reference) come from the project settings file "
    ".quillwright nearest to each source file, then from the user's stored settings "
    "('quillwright settings'); options override them for one run.";

constexpr const char* kFooter =
    "Exit status:\n"
    "  0  success\n"
    "  1  --check: some file would be written\n"
    "  2  the command line, SOURCE_DATE_EPOCH or a project settings file could not be\n"
    "     understood, or 'project' was given a file that is not a *.dpr\n"
    "  3  a file or schema could not be read, processed or written, or a pass was\n"
    "     aborted\n"
    "\n"
    "Environment:\n"
    "  SOURCE_DATE_EPOCH     seconds since 1970: %Date and %Time tell that moment\n"
    "                        in UTC\n"
    "  QUILLWRIGHT_SETTINGS  a settings file to use instead of the user's own\n"
    "  XDG_CONFIG_HOME       where the user's settings file lies\n"
    "                        (Varnstead/Quillwright.conf)\n"
    "\n"
    "Files:\n"
    "  .quillwright  project settings, one 'name = value' a line (schema, style,\n"
    "                xref, coder); looked for in each source file's folder and the\n"
    "                folders above it, up to the home folder\n";

constexpr const char* kVersionLine = "quillwright " QW_VERSION;

void reportError(const std::string& text) {
    std::cerr << "quillwright: error: " << text << "\n";
}

void reportWarning(const std::string& text) {
    std::cerr << "quillwright: warning: " << text << "\n";
}

// Options of the commenting pass, shared by 'comment' and 'project'.
struct PassArgs {
    std::optional<std::string> schema;
    std::optional<std::string> coder;
    std::optional<EndCommentStyle> style;
    bool xref = false;
    bool noXref = false;
    ProblemPolicy policy = ProblemPolicy::Abort;

    PassOverrides overrides() const {
        PassOverrides o;
        o.schemaFile = schema;
        o.coderName = coder;
        o.style = style;
        if (xref)
            o.crossReference = CrossReference::On;
        else if (noXref)
            o.crossReference = CrossReference::Off;
        return o;
    }
};

struct FileArgs {
    PassArgs pass;
    std::vector<std::string> files;
    bool recursive = false;
    int jobs = 0;
    bool inPlace = false;
    bool check = false;
    bool diff = false;
    bool dryRun = false;
    bool quiet = false;
    std::string json;
};

struct ProjectArgs {
    PassArgs pass;
    std::string projectFile;
    bool dryRun = false;
    bool quiet = false;
    std::string json;
};

void addPolicyOption(CLI::App& cmd, PassArgs& args) {
    const std::map<std::string, ProblemPolicy> policies{{"abort", ProblemPolicy::Abort},
                                                        {"ignore", ProblemPolicy::Ignore}};
    cmd.add_option("--on-problem", args.policy,
                   "What to answer when the pass meets a problem in the input: 'abort' leaves "
                   "the file as it was (default), 'ignore' goes on where the problem allows it")
        ->transform(CLI::CheckedTransformer(policies, CLI::ignore_case).description(""))
        ->option_text("abort|ignore");
}

void addCommentOptions(CLI::App& cmd, PassArgs& args) {
    const std::map<std::string, EndCommentStyle> styles{
        {"none", EndCommentStyle::None},   {"0", EndCommentStyle::None},
        {"line", EndCommentStyle::Line},   {"1", EndCommentStyle::Line},
        {"brace", EndCommentStyle::Brace}, {"2", EndCommentStyle::Brace},
        {"paren", EndCommentStyle::Paren}, {"3", EndCommentStyle::Paren}};
    cmd.add_option("--style", args.style,
                   "Comment behind begin and end: none, line (// X), brace ({ X }) or paren "
                   "((* X *)), or 0 to 3; default: the project file's, else the stored style")
        ->transform(CLI::CheckedTransformer(styles, CLI::ignore_case).description(""))
        ->option_text("none|line|brace|paren");
    cmd.add_option("--schema", args.schema,
                   "Schema file for the header comments; default: the project file's, else the "
                   "stored schema folder and name (the bundled Demo.cs when no schema name is "
                   "stored)")
        ->option_text("FILE");
    cmd.add_option("--coder", args.coder,
                   "Value of %Coder; default: the project file's, else the logon name (the "
                   "stored User when there is none)")
        ->option_text("NAME");
    CLI::Option* on =
        cmd.add_flag("--xref", args.xref, "Write the cross-reference at the top of each file");
    CLI::Option* off = cmd.add_flag("--no-xref", args.noXref, "Write no cross-reference");
    on->excludes(off);
    off->excludes(on);
    addPolicyOption(cmd, args);
}

void addFileOptions(CLI::App& cmd, FileArgs& args) {
    cmd.add_option("FILE", args.files, "Source files, or folders with -r")
        ->required()
        ->option_text("...");
    cmd.add_flag("-r,--recursive", args.recursive,
                 "Process the *.pas, *.inc and *.dpr files below the folders given");
    cmd.add_option("-j,--jobs", args.jobs,
                   "Files processed side by side; default: the number of cores. Output and "
                   "report keep the order of the arguments.")
        ->check(CLI::PositiveNumber)
        ->option_text("N");
    CLI::Option* inPlace = cmd.add_flag(
        "-i,--in-place", args.inPlace,
        "Save each result over its file (the file as it was is kept as NAME.bak); only files "
        "whose text changes are written, and only when the result keeps the file's code. "
        "Without it the result goes to standard output.");
    CLI::Option* check = cmd.add_flag(
        "--check", args.check,
        "Write nothing; list the files that -i would write and exit with 1 when there are any");
    CLI::Option* diff = cmd.add_flag("--diff", args.diff,
                                     "Write nothing; print a unified diff of what -i would "
                                     "change (with --check: exit 1 when there is any)");
    CLI::Option* dry =
        cmd.add_flag("--dry-run", args.dryRun,
                     "Write nothing; tell for each file its count and whether -i would write it");
    inPlace->excludes(check)->excludes(diff)->excludes(dry);
    dry->excludes(check)->excludes(diff);
    cmd.add_flag("-q,--quiet", args.quiet, "No progress bar on standard error");
    cmd.add_option("--json", args.json,
                   "Write a report per file (count, messages and answers, queued unit names, "
                   "comment marks) as JSON to FILE, or to standard output with '-' (with -i)")
        ->option_text("FILE");
}

Output outputOf(const FileArgs& args) {
    if (args.inPlace)
        return Output::InPlace;
    if (args.diff)
        return Output::Diff;
    if (args.check)
        return Output::Check;
    if (args.dryRun)
        return Output::DryRun;
    return Output::Stdout;
}

ExitStatus writeJson(const std::string& target, const std::string& doc) {
    if (target == "-") {
        std::cout << doc;
        return ExitStatus::Success;
    }
    std::ofstream out(target, std::ios::binary);
    out << doc;
    if (!out.flush()) {
        reportError("cannot write '" + target + "'");
        return ExitStatus::Failed;
    }
    return ExitStatus::Success;
}

int defaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

std::optional<RunSettings> settingsForRun(const PassArgs& args, SchemaUse use,
                                          const ProjectSettings* project, ExitStatus& status) {
    RunSettingsResult r = runSettings(realFileSystem(), args.overrides(), use, project);
    if (!r.settings) {
        reportError(r.error);
        status = r.fault == RunSettingsFault::BadValue ? ExitStatus::Usage : ExitStatus::Failed;
        return std::nullopt;
    }
    return std::move(r.settings);
}

// The options of each group of files that share a project settings file (the
// last group: files under none), made only for the groups in use.
struct FileGroups {
    std::vector<std::size_t> groupOf; // per file
    std::vector<FileCommandOptions> options;
    std::vector<RunSettings> settings; // what the options point into
};

std::optional<FileGroups> fileGroups(const std::vector<std::string>& files, const PassArgs& args,
                                     const FileCommandOptions& base, ExitStatus& status) {
    ProjectSettingsLookup projects(realFileSystem(), currentUserEnvironment().home);
    std::vector<int> found;
    for (const std::string& file : files)
        found.push_back(projects.indexFor(file));
    if (projects.failed()) {
        reportError(projects.error());
        status = projects.status();
        return std::nullopt;
    }
    const std::size_t none = projects.settings().size();
    FileGroups groups;
    std::vector<bool> used(none + 1, files.empty()); // an empty run still checks its settings
    for (const int index : found) {
        groups.groupOf.push_back(index == kNoProjectSettings ? none
                                                             : static_cast<std::size_t>(index));
        used[groups.groupOf.back()] = true;
    }
    groups.options.assign(none + 1, base);
    groups.settings.reserve(none + 1);
    std::set<std::string> warned;
    const SchemaUse use =
        base.pass.mode == PassMode::Clean ? SchemaUse::NotNeeded : SchemaUse::Needed;
    for (std::size_t g = 0; g <= none; ++g) {
        if (!used[g])
            continue;
        auto settings =
            settingsForRun(args, use, g < none ? &projects.settings()[g] : nullptr, status);
        if (!settings)
            return std::nullopt;
        for (const std::string& w : settings->warnings)
            if (warned.insert(w).second)
                reportWarning(w);
        groups.options[g].pass = settings->options;
        groups.options[g].pass.mode = base.pass.mode;
        groups.settings.push_back(std::move(*settings)); // the clock moves, not its object
    }
    return groups;
}

ExitStatus runFiles(const std::string& command, const FileArgs& args, PassMode mode) {
    if (args.json == "-" && !args.inPlace) {
        reportError("--json - needs --in-place: the results already go to standard output");
        return ExitStatus::Usage;
    }
    ExitStatus status = ExitStatus::Success;
    const Discovery found =
        discoverFiles(args.files, args.recursive ? Recursion::On : Recursion::Off);
    for (const std::string& e : found.errors)
        reportError(e);

    FileCommandOptions options;
    options.pass.mode = mode;
    options.output = outputOf(args);
    options.policy = args.pass.policy;
    options.marks = args.json.empty() ? KeepMarks::No : KeepMarks::Yes;
    const std::optional<FileGroups> groups = fileGroups(found.files, args.pass, options, status);
    if (!groups)
        return status;
    if (!found.errors.empty())
        status = ExitStatus::Failed;

    const int jobs = std::max(1, std::min(args.jobs > 0 ? args.jobs : defaultJobs(),
                                          static_cast<int>(found.files.size())));
    std::vector<std::unique_ptr<FileProcessor>> workers;
    for (int w = 0; w < jobs; ++w)
        workers.push_back(std::make_unique<FileProcessor>(options, realFileSystem()));

    const bool bar = !args.quiet && found.files.size() > 1 && isTerminal(StandardStream::Error);
    ProgressBar progress(std::cerr, bar ? ProgressShown::Yes : ProgressShown::No,
                         found.files.size(), bar ? terminalColumns() : 80);
    // The report goes out file by file; a file that cannot be created stops
    // nothing else.
    std::ofstream jsonFile;
    std::optional<JsonReportWriter> json;
    if (args.json == "-") {
        json.emplace(std::cout, command);
    } else if (!args.json.empty()) {
        jsonFile.open(args.json, std::ios::binary);
        json.emplace(jsonFile, command);
    }
    bool anyChanged = false;
    runInOrder(
        found.files.size(), jobGroups(found.files), jobs,
        [&](std::size_t file, int worker) {
            return workers[static_cast<std::size_t>(worker)]->process(
                found.files[file], groups->options[groups->groupOf[file]]);
        },
        [&](std::size_t file, FileOutcome& o) {
            FileReport& r = o.report;
            if (r.file.empty())
                r.file = found.files[file];
            progress.clear();
            if (o.text)
                writeSavedText(o.text->editor, o.text->options, [](std::string_view piece) {
                    std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                    return true;
                });
            std::cout << o.out;
            std::cout.flush();
            std::cerr << o.diagnostics;
            if (!r.error.empty())
                reportError(r.error);
            else if (r.aborted)
                reportError("'" + r.file + "' was left unchanged: the pass was aborted");
            if (r.failed())
                status = ExitStatus::Failed;
            anyChanged = anyChanged || r.changed;
            progress.advance(r.file);
            if (json)
                json->add(r);
        });
    progress.clear();
    if (status == ExitStatus::Success && anyChanged && args.check)
        status = ExitStatus::WouldChange;
    if (json) {
        json->finish();
        if (args.json != "-" && !jsonFile.flush()) {
            reportError("cannot write '" + args.json + "'");
            status = ExitStatus::Failed;
        }
    }
    return status;
}

ExitStatus runProjectCommand(const ProjectArgs& args) {
    ExitStatus status = ExitStatus::Success;
    ProjectSettingsLookup projects(realFileSystem(), currentUserEnvironment().home);
    const int project = projects.indexFor(args.projectFile);
    if (projects.failed()) {
        reportError(projects.error());
        return projects.status();
    }
    const auto settings = settingsForRun(
        args.pass, SchemaUse::Needed,
        project == kNoProjectSettings ? nullptr
                                      : &projects.settings()[static_cast<std::size_t>(project)],
        status);
    if (!settings)
        return status;
    for (const std::string& w : settings->warnings)
        reportWarning(w);
    ProjectCommandOptions options;
    options.pass = settings->options;
    options.policy = args.pass.policy;
    options.writes = args.dryRun ? Writes::No : Writes::Yes;
    options.json = args.json;
    options.progress = !args.quiet && isTerminal(StandardStream::Error);
    const WalkOutcome outcome =
        runProject(args.projectFile, options, realFileSystem(), std::cout, std::cerr);
    status = walkStatus(outcome);
    if (!args.json.empty() &&
        writeJson(args.json, jsonProjectReport(args.projectFile, outcome, options.writes)) !=
            ExitStatus::Success)
        status = ExitStatus::Failed;
    return status;
}

} // namespace

int run(int argc, char** argv) {
    // %Date and %Time in the user's own formats, unless SOURCE_DATE_EPOCH
    // fixes the moment (then they are told in UTC, still in these formats).
    std::setlocale(LC_TIME, "");

    CLI::App app{kDescription, "quillwright"};
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_version_flag("--version", kVersionLine, "Print the version and exit");
    // "/x" is a path, never an option, on Windows too.
    app.allow_windows_style_options(false);
    app.footer(kFooter);
    app.require_subcommand(1);

    FileArgs commentArgs;
    CLI::App* comment = app.add_subcommand(
        "comment", "Comment the files: headers, begin/end comments, cross-reference");
    addFileOptions(*comment, commentArgs);
    addCommentOptions(*comment, commentArgs.pass);

    FileArgs cleanArgs;
    CLI::App* clean = app.add_subcommand("clean", "Strip every comment from the files");
    addFileOptions(*clean, cleanArgs);
    addPolicyOption(*clean, cleanArgs.pass);

    ProjectArgs projectArgs;
    CLI::App* project = app.add_subcommand(
        "project", "Comment a project file (*.dpr) and every unit its uses clauses reach in its "
                   "folder; units with new comments are saved with their backups");
    project->add_option("PROJECT", projectArgs.projectFile, "The project file (*.dpr)")->required();
    project->add_flag("--dry-run", projectArgs.dryRun,
                      "Write nothing; the report tells which files would be written");
    project->add_flag("-q,--quiet", projectArgs.quiet,
                      "Do not tell the file in progress on standard error");
    project
        ->add_option("--json", projectArgs.json,
                     "Write the report as JSON to FILE, or to standard output with '-'")
        ->option_text("FILE");
    addCommentOptions(*project, projectArgs.pass);

    CLI::App* settings =
        app.add_subcommand("settings", "Show the settings in use in this folder (project "
                                       "file, stored settings, defaults) and where each comes "
                                       "from; 'settings set NAME VALUE' changes a stored one");
    CLI::App* settingsSet = settings->add_subcommand(
        "set", std::string("Change one stored setting: ") + settingNamesHelp());
    std::string settingName;
    std::string settingValue;
    settingsSet->add_option("NAME", settingName, "Setting name")->required();
    settingsSet->add_option("VALUE", settingValue, "New value")->required();

    CLI::App* version = app.add_subcommand("version", "Print the version");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return static_cast<int>(ExitStatus::Usage);
    }

    ExitStatus status = ExitStatus::Success;
    if (comment->parsed())
        status = runFiles("comment", commentArgs, PassMode::Comment);
    else if (clean->parsed())
        status = runFiles("clean", cleanArgs, PassMode::Clean);
    else if (project->parsed())
        status = runProjectCommand(projectArgs);
    else if (settingsSet->parsed())
        status = setSetting(realFileSystem(), settingName, settingValue, std::cerr);
    else if (version->parsed())
        std::cout << kVersionLine << "\n";
    else if (settings->parsed())
        status = showSettings(realFileSystem(), std::cout, std::cerr);
    return static_cast<int>(status);
}

} // namespace qw::cli
