#include "cli/FileCommand.h"

#include "app/core/OutputText.h"
#include "app/core/SaveFile.h"
#include "engine/FileSystem.h"
#include "engine/ProjectLists.h"
#include "engine/SourcePass.h"

namespace qw::cli {

FileReport processFile(const std::string& path, const FileCommandOptions& options,
                       FileSystem& files, std::ostream& out, std::ostream& diagnostics) {
    FileReport report;
    report.file = path;
    std::string bytes;
    if (IoResult r = files.readFile(path, bytes); !r) {
        report.error = "cannot read '" + path + "': " + r.error;
        return report;
    }

    ProjectLists lists;
    PassOptions passOptions = options.pass;
    passOptions.fileSystem = &files;
    passOptions.projectLists = &lists;
    DiagnosticHost host(options.policy, diagnostics);
    Progress progress;
    progress.totalBytes = bytes.empty() ? 1 : static_cast<std::int32_t>(bytes.size());
    ResultEditor editor;
    SourcePass pass(passOptions, host, progress);
    pass.runText(path, bytes, editor);

    report.count = progress.commentCount;
    report.aborted = progress.abortRequested;
    report.messages = host.takeMessages();
    report.queued.assign(lists.queue().begin(), lists.queue().end());
    report.marks = editor.marks();
    if (report.aborted)
        return report; // an aborted pass writes nothing

    const std::string result = outputText(editor, pass.lineBreaks());
    report.changed = result != bytes;
    if (options.output == Output::Stdout) {
        out << result;
        return report;
    }
    if (!report.changed)
        return report;
    SaveResult saved = saveFile(files, path, result);
    if (!saved) {
        report.error = "cannot write '" + path + "': " + saved.reason;
        return report;
    }
    report.written = true;
    return report;
}

} // namespace qw::cli
