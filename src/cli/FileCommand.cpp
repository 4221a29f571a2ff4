#include "cli/FileCommand.h"

#include <sstream>

#include "cli/ReadErrors.h"
#include "cli/UnifiedDiff.h"
#include "drivers/DriverUi.h"
#include "drivers/Drivers.h"
#include "drivers/ResultDocument.h"
#include "drivers/UnreviewedSave.h"

namespace qw::cli {
namespace {

std::string inQuotes(const std::string& path) {
    return "'" + path + "'";
}

} // namespace

class FileProcessor::Ui final : public DriverUi {
public:
    Ui(const FileCommandOptions& options, FileSystem& files)
        : options_(&options), files_(files), drivers_(*this, passOptions(options, files_)) {}

    // Files under different project settings files run with different options.
    void use(const FileCommandOptions& options) {
        if (&options == options_)
            return;
        options_ = &options;
        drivers_.setPassOptions(passOptions(options, files_));
    }

    FileOutcome process(const std::string& path) {
        outcome_ = FileOutcome{};
        outcome_.report.file = path;
        diagnostics_.str({});
        if (options_->pass.mode == PassMode::Clean) {
            drivers_.cleanFile(path);
        } else {
            std::int32_t count = 0;
            drivers_.commentFile(path, Interaction::ShowResult, count);
            outcome_.report.count = count;
        }
        FileReport& r = outcome_.report;
        r.queued.assign(drivers_.fileLists().queue().begin(), drivers_.fileLists().queue().end());
        outcome_.diagnostics = diagnostics_.str();
        return std::move(outcome_);
    }

    void openProgress(const std::string&, Progress&) override {}
    void lineProcessed(Progress&) override {}
    void closeProgress() override {}

    Button ask(const Message& message) override {
        FileReport& r = outcome_.report;
        switch (message.id) {
        case MessageId::AbortedSeeResults:
            r.aborted = !readFailed_;
            return Button::No; // an aborted pass writes and shows nothing
        case MessageId::NothingGenerated:
        case MessageId::NothingRemoved:
            return Button::Yes; // the result goes out whatever its count
        case MessageId::CannotProcessFile:
            readFailed_ = true;
            r.error = "cannot read " + inQuotes(message.fileName) + ": " +
                      files_.reasonFor(message.fileName);
            return Button::Abort;
        default:
            break;
        }
        const Button answer = answerFor(options_->policy, message);
        diagnostics_ << diagnosticLine(message) << " [" << buttonName(answer) << "]\n";
        r.messages.push_back({message, answer});
        return answer;
    }

    void showResult(ResultDocument& result) override {
        FileReport& r = outcome_.report;
        r.count = result.commentCount;
        if (options_->marks == KeepMarks::Yes)
            r.marks = result.editor.marks();
        // Only the report tells whether a result for standard output changes
        // its file; finding out reads the file again.
        if (options_->output != Output::Stdout || options_->marks == KeepMarks::Yes)
            r.changed = !result.matchesSource(files_);
        switch (options_->output) {
        case Output::Stdout:
            outcome_.text = PendingText{std::move(result.editor), result.saveOptions};
            break;
        case Output::InPlace:
            if (r.changed)
                write(result);
            break;
        case Output::Check:
            if (r.changed)
                outcome_.out += result.title + "\n";
            break;
        case Output::Diff:
            if (r.changed)
                outcome_.out +=
                    unifiedDiff(result.title, result.readSource(files_).value_or(std::string()),
                                result.savedBytes());
            break;
        case Output::DryRun:
            outcome_.out +=
                result.title + ": " + std::to_string(r.count) +
                (r.changed ? " comments, would be written\n" : " comments, unchanged\n");
            break;
        }
    }

    SaveResult saveResult(const ResultDocument& result) override {
        return saveResultDocument(files_, result);
    }
    void showReport(const ProjectReport&) override {}
    void showError(const std::string& text, const std::string& reason) override {
        outcome_.report.error = text + ": " + reason;
    }

    void reset() { readFailed_ = false; }

private:
    static PassOptions passOptions(const FileCommandOptions& options, FileSystem& files) {
        PassOptions o = options.pass;
        o.fileSystem = &files;
        return o;
    }

    // An in-place write is not reviewed by anyone: it goes by the save
    // policy of a project walk's units.
    void write(const ResultDocument& result) {
        FileReport& r = outcome_.report;
        const std::string bytes = result.savedBytes();
        if (const std::optional<SaveRefusal> refusal =
                unreviewedSaveRefusal(files_, result, bytes)) {
            r.error = refusal->cause == SaveRefusal::Cause::SourceUnreadable
                          ? "cannot read " + inQuotes(result.title) + ": " + refusal->reason
                          : inQuotes(result.title) + " was not written: " + refusal->reason;
            return;
        }
        if (const SaveResult saved = saveFile(files_, result.title, bytes); !saved) {
            r.error = "cannot write " + inQuotes(result.title) + ": " + saved.reason;
            return;
        }
        r.written = true;
    }

    const FileCommandOptions* options_;
    ReadErrors files_;
    Drivers drivers_;
    FileOutcome outcome_;
    std::ostringstream diagnostics_;
    bool readFailed_ = false;
};

FileProcessor::FileProcessor(const FileCommandOptions& options, FileSystem& files)
    : ui_(std::make_unique<Ui>(options, files)) {}

FileProcessor::~FileProcessor() = default;

FileOutcome FileProcessor::process(const std::string& path, const FileCommandOptions& options) {
    ui_->reset();
    ui_->use(options);
    return ui_->process(path);
}

} // namespace qw::cli
