#include "cli/ProjectCommand.h"

#include <algorithm>
#include <filesystem>

#include "cli/ReadErrors.h"
#include "drivers/DriverUi.h"
#include "drivers/FilePaths.h"
#include "drivers/ProjectReport.h"
#include "drivers/ResultDocument.h"
#include "text/Text.h"

namespace qw::cli {
namespace {

std::string inQuotes(const std::string& path) {
    return "'" + path + "'";
}

void reportError(std::ostream& err, const std::string& text) {
    err << "quillwright: error: " << text << "\n";
}

// The walk as seen from a terminal: questions answered by the policy, saves
// made (or, dry, only counted), the report kept for printing.
class WalkUi final : public DriverUi {
public:
    WalkUi(const ProjectCommandOptions& options, ReadErrors& files, std::ostream& err,
           WalkOutcome& outcome)
        : options_(options), files_(files), err_(err), outcome_(outcome) {}

    void openProgress(const std::string& title, Progress&) override {
        if (options_.progress)
            err_ << "\r\033[K" << title << std::flush;
    }
    void lineProcessed(Progress&) override {}
    void closeProgress() override {
        if (options_.progress)
            err_ << "\r\033[K" << std::flush;
    }

    Button ask(const Message& message) override {
        switch (message.id) {
        case MessageId::AbortedSeeResults:
            return Button::No;
        case MessageId::NotAProjectFile:
            return Button::Abort;
        case MessageId::CannotProcessFile:
            fail("cannot read " + inQuotes(message.fileName) + ": " +
                 files_.reasonFor(message.fileName));
            return Button::Abort;
        default:
            break;
        }
        const bool refusal = message.id == MessageId::ResultNotSaved;
        const Button answer = refusal ? Button::Ok : answerFor(options_.policy, message);
        err_ << diagnosticLine(message) << " [" << buttonName(answer) << "]\n";
        outcome_.messages.push_back({message, answer});
        if (refusal) // the code check kept a unit from being saved
            outcome_.errors.push_back(message.text);
        return answer;
    }

    void showResult(ResultDocument&) override {}

    SaveResult saveResult(const ResultDocument& result) override {
        lastSaved_ = result.title;
        savedPaths_.push_back(result.title);
        if (options_.writes == Writes::No)
            return {};
        return saveResultDocument(files_, result);
    }

    void showReport(const ProjectReport& report) override {
        for (const ReportEntry& e : report.entries()) {
            const bool saved =
                std::find(savedPaths_.begin(), savedPaths_.end(), e.path) != savedPaths_.end();
            outcome_.entries.push_back({e.name, e.path, e.count, saved});
        }
    }

    void showError(const std::string&, const std::string& reason) override {
        fail("cannot write " + inQuotes(lastSaved_) + ": " + reason);
    }

private:
    void fail(const std::string& text) {
        reportError(err_, text);
        outcome_.errors.push_back(text);
    }

    const ProjectCommandOptions& options_;
    ReadErrors& files_;
    std::ostream& err_;
    WalkOutcome& outcome_;
    std::string lastSaved_;
    std::vector<std::string> savedPaths_;
};

} // namespace

WalkOutcome runProject(const std::string& projectFile, const ProjectCommandOptions& options,
                       FileSystem& files, std::ostream& out, std::ostream& err) {
    WalkOutcome outcome;
    ReadErrors recording(files);
    WalkUi ui(options, recording, err, outcome);
    PassOptions pass = options.pass;
    pass.fileSystem = &recording;
    Drivers drivers(ui, pass);

    // The units lie beside the project file; the tool never changes its own
    // working directory for them.
    const std::string folder = std::filesystem::path(projectFile).parent_path().string();
    if (extensionOf(projectFile) != "" && !files.isFile(projectFile) &&
        toLower(extensionOf(projectFile)) == ".dpr") {
        std::string bytes;
        const IoResult read = files.readFile(projectFile, bytes);
        outcome.end = WalkEnd::Aborted;
        const std::string text = "cannot read " + inQuotes(projectFile) + ": " +
                                 (read ? std::string("not a file") : read.error);
        reportError(err, text);
        outcome.errors.push_back(text);
        return outcome;
    }
    outcome.end = drivers.commentProject(projectFile, folder);
    if (outcome.end == WalkEnd::NotAProjectFile) {
        const std::string text = inQuotes(projectFile) + " is not a project file (*.dpr)";
        reportError(err, text);
        outcome.errors.push_back(text);
        return outcome;
    }
    if (outcome.end == WalkEnd::Aborted && outcome.errors.empty()) {
        const std::string& name = drivers.projectLists().front();
        const std::string text = "the walk was aborted at " + inQuotes(name) + "; it and the " +
                                 "units after it were left unchanged";
        reportError(err, text);
        outcome.errors.push_back(text);
    }
    if (outcome.end != WalkEnd::SaveFailed && options.json != "-")
        out << reportColumns(outcome.entries, options.writes);
    return outcome;
}

ExitStatus walkStatus(const WalkOutcome& outcome) {
    switch (outcome.end) {
    case WalkEnd::NotAProjectFile:
        return ExitStatus::Usage;
    case WalkEnd::Finished:
        return outcome.errors.empty() ? ExitStatus::Success : ExitStatus::Failed;
    default:
        return ExitStatus::Failed;
    }
}

std::string reportColumns(const std::vector<WalkEntry>& entries, Writes writes) {
    std::size_t nameWidth = std::string("File").size();
    std::size_t countWidth = std::string("Comments").size();
    for (const WalkEntry& e : entries) {
        nameWidth = std::max(nameWidth, e.name.size());
        countWidth = std::max(countWidth, std::to_string(e.count).size());
    }
    auto row = [&](const std::string& name, const std::string& count, const char* note) {
        std::string line = name + std::string(nameWidth - name.size() + 2, ' ') +
                           std::string(countWidth - count.size(), ' ') + count;
        if (*note)
            line += std::string("  ") + note;
        return line + "\n";
    };
    std::string text = row("File", "Comments", "");
    for (const WalkEntry& e : entries)
        text += row(e.name, std::to_string(e.count),
                    e.written ? (writes == Writes::Yes ? "(written)" : "(would be written)") : "");
    return text;
}

} // namespace qw::cli
