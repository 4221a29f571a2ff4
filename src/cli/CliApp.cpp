#include "cli/CliApp.h"

#include <fstream>
#include <iostream>
#include <map>

#include <CLI/CLI.hpp>

#include "cli/ExitStatus.h"
#include "cli/FileCommand.h"
#include "cli/JsonReport.h"
#include "engine/FileSystem.h"

namespace qw::cli {
namespace {

constexpr const char* kDescription =
    "Quillwright comments Object Pascal / Delphi sources (*.pas, *.inc, *.dpr): a header above "
    "every routine of the implementation part, a short comment behind the begin and end of "
    "blocks, and optionally a cross-reference. 'clean' strips all comments again (compiler "
    "directives stay).";

constexpr const char* kExitStatuses = "Exit status:\n"
                                      "  0  success\n"
                                      "  1  --check: some file would be written\n"
                                      "  2  the command line could not be understood\n"
                                      "  3  a file could not be read, processed or written\n";

void reportError(const std::string& text) {
    std::cerr << "quillwright: error: " << text << "\n";
}

struct FileArgs {
    std::vector<std::string> files;
    bool inPlace = false;
    ProblemPolicy policy = ProblemPolicy::Abort;
    EndCommentStyle style = EndCommentStyle::Brace;
    std::string json;
};

void addFileOptions(CLI::App& cmd, FileArgs& args, bool withStyle) {
    cmd.add_option("FILE", args.files, "Source files to process")->required();
    cmd.add_flag("-i,--in-place", args.inPlace,
                 "Save each result over its file (the file as it was is kept as NAME.bak); "
                 "only files whose text changes are written. Without it the result goes to "
                 "standard output.");
    const std::map<std::string, ProblemPolicy> policies{{"abort", ProblemPolicy::Abort},
                                                        {"ignore", ProblemPolicy::Ignore}};
    cmd.add_option("--on-problem", args.policy,
                   "What to answer when the pass meets a problem in the input: 'abort' leaves "
                   "the file as it was (default), 'ignore' goes on where the problem allows it")
        ->transform(CLI::CheckedTransformer(policies, CLI::ignore_case));
    if (withStyle) {
        const std::map<std::string, EndCommentStyle> styles{
            {"none", EndCommentStyle::None},   {"0", EndCommentStyle::None},
            {"line", EndCommentStyle::Line},   {"1", EndCommentStyle::Line},
            {"brace", EndCommentStyle::Brace}, {"2", EndCommentStyle::Brace},
            {"paren", EndCommentStyle::Paren}, {"3", EndCommentStyle::Paren}};
        cmd.add_option("--style", args.style,
                       "Comment behind begin/end: none, line (//), brace ({ }), paren ((* *)), "
                       "or 0 to 3; default brace")
            ->transform(CLI::CheckedTransformer(styles, CLI::ignore_case));
    }
    cmd.add_option("--json", args.json,
                   "Write a report per file (count, messages and answers, queued unit names, "
                   "comment marks) as JSON to FILE, or to standard output with '-'");
}

ExitStatus runFiles(const std::string& command, const FileArgs& args, PassMode mode) {
    if (args.json == "-" && !args.inPlace) {
        reportError("--json - needs --in-place: the results already go to standard output");
        return ExitStatus::Usage;
    }
    FileCommandOptions options;
    options.pass.mode = mode;
    options.pass.style = args.style;
    options.output = args.inPlace ? Output::InPlace : Output::Stdout;
    options.policy = args.policy;

    std::vector<FileReport> reports;
    ExitStatus status = ExitStatus::Success;
    for (const std::string& file : args.files) {
        FileReport r = processFile(file, options, realFileSystem(), std::cout, std::cerr);
        if (!r.error.empty())
            reportError(r.error);
        else if (r.aborted)
            reportError("'" + file + "' was left unchanged: the pass was aborted");
        if (r.failed())
            status = ExitStatus::Failed;
        reports.push_back(std::move(r));
    }
    std::cout.flush();
    if (!args.json.empty()) {
        const std::string doc = jsonReport(command, reports);
        if (args.json == "-") {
            std::cout << doc;
        } else {
            std::ofstream out(args.json, std::ios::binary);
            out << doc;
            if (!out.flush()) {
                reportError("cannot write '" + args.json + "'");
                status = ExitStatus::Failed;
            }
        }
    }
    return status;
}

} // namespace

int run(int argc, char** argv) {
    CLI::App app{kDescription, "quillwright"};
    app.footer(kExitStatuses);
    app.require_subcommand(1);

    FileArgs commentArgs;
    CLI::App* comment = app.add_subcommand(
        "comment", "Comment the files: headers, begin/end comments, cross-reference");
    addFileOptions(*comment, commentArgs, true);

    FileArgs cleanArgs;
    CLI::App* clean = app.add_subcommand("clean", "Strip every comment from the files");
    addFileOptions(*clean, cleanArgs, false);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
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
    return static_cast<int>(status);
}

} // namespace qw::cli
