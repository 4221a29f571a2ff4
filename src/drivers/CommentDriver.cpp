// The file drivers: one pass over one file, and what becomes of its result.

#include <limits>

#include "drivers/DriverMessages.h"
#include "drivers/DriverUi.h"
#include "drivers/Drivers.h"
#include "drivers/FilePaths.h"
#include "drivers/ResultDocument.h"
#include "drivers/RunGuard.h"
#include "drivers/UnreviewedSave.h"
#include "engine/SourcePass.h"
#include "platform/FileSystem.h"

namespace qw {

namespace {

// The pass's questions and its per-line step go to the shell.
class UiPassHost final : public PassHost {
public:
    explicit UiPassHost(DriverUi& ui) : ui_(ui) {}
    Button ask(const Message& message) override { return ui_.ask(message); }
    void lineProcessed(Progress& progress) override { ui_.lineProcessed(progress); }

private:
    DriverUi& ui_;
};

// The progress window lives from its creation until the pass is done, also
// when the pass throws.
class ProgressWindowScope {
public:
    ProgressWindowScope(DriverUi& ui, const std::string& title, Progress& progress) : ui_(ui) {
        ui_.openProgress(title, progress);
    }
    ~ProgressWindowScope() { close(); }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;
    void close() {
        if (open_)
            ui_.closeProgress();
        open_ = false;
    }

private:
    DriverUi& ui_;
    bool open_ = true;
};

// The file's size as the progress bar's whole, at least 1 (also for a file
// that cannot be opened).
std::int32_t totalBytesOf(FileSystem& fs, const std::string& fileName) {
    const std::int64_t size = fs.fileSize(fileName);
    if (size < 1)
        return 1;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(size > kMax ? kMax : size);
}

bool confirmed(DriverUi& ui, MessageId id, std::string_view text, const std::string& fileName) {
    Message question{
        id, DialogKind::Confirmation, std::string(text), {Button::Yes, Button::No}, fileName, 0};
    return ui.ask(question) == Button::Yes;
}

} // namespace

Drivers::Drivers(DriverUi& ui, PassOptions options) : ui_(ui), options_(std::move(options)) {}

void Drivers::setPassOptions(PassOptions options) {
    options_ = std::move(options);
}

bool Drivers::commentFile(const std::string& fileName, Interaction interaction,
                          std::int32_t& commentCount) {
    commentCount = 0;
    RunGuard guard(running_);
    if (!guard)
        return false;
    fileLists_.clear();
    const FileRun run = runFile(fileName, Pass::Comment, interaction, fileLists_);
    commentCount = run.count;
    return run.shown;
}

bool Drivers::cleanFile(const std::string& fileName) {
    RunGuard guard(running_);
    if (!guard)
        return false;
    fileLists_.clear();
    return runFile(fileName, Pass::Clean, Interaction::ShowResult, fileLists_).shown;
}

Drivers::FileRun Drivers::runFile(const std::string& fileName, Pass pass, Interaction interaction,
                                  ProjectLists& lists) {
    PassOptions options = options_; // the settings as they are at the start of this run
    FileSystem& fs = options.fileSystem ? *options.fileSystem : realFileSystem();
    options.fileSystem = &fs;
    options.mode = pass == Pass::Clean ? PassMode::Clean : PassMode::Comment;
    options.projectLists = &lists;

    FileRun run;
    ResultDocument result;
    {
        Progress progress; // fresh counters, abort flag clear
        progress.totalBytes = totalBytesOf(fs, fileName);
        const std::string title =
            pass == Pass::Comment ? std::string(fileNameOf(fileName)) : std::string("Progress");
        ProgressWindowScope window(ui_, title, progress);

        result.title = fileName;
        result.counts = pass == Pass::Comment ? CountKind::Insertions : CountKind::Removals;
        result.withoutSchema = pass == Pass::Comment && options.schema.empty();

        UiPassHost host(ui_);
        SourcePass sourcePass(options, host, progress);
        // The pass reads the file line by line; a file that cannot be read
        // is reported by the pass.
        result.sourceRead = sourcePass.run(fileName, result.editor);
        result.saveOptions = saveOptionsFor(sourcePass.lineBreaks());

        run.count = progress.commentCount;
        run.aborted = progress.abortRequested;
        window.close();
    }
    result.commentCount = run.count;

    if (run.aborted) {
        if (confirmed(ui_, MessageId::AbortedSeeResults, driver_messages::kAbortedSeeResults,
                      fileName)) {
            result.saveButton = SaveButton::Disabled;
            ui_.showResult(result);
        }
        return run;
    }
    if (interaction == Interaction::ShowResult) {
        const bool shown =
            run.count > 0 ||
            (pass == Pass::Comment ? confirmed(ui_, MessageId::NothingGenerated,
                                               driver_messages::kNothingGenerated, fileName)
                                   : confirmed(ui_, MessageId::NothingRemoved,
                                               driver_messages::kNothingRemoved, fileName));
        if (shown) {
            ui_.showResult(result);
            run.shown = true;
        }
        return run;
    }
    if (run.count > 0) {
        if (const std::optional<SaveRefusal> refusal =
                unreviewedSaveRefusal(fs, result, result.savedBytes())) {
            ui_.ask(refusalMessage(*refusal, result));
            run.refused = true;
        } else if (const SaveResult saved = ui_.saveResult(result); !saved) {
            ui_.showError(saved.message, saved.reason);
            run.saveFailed = true;
        }
    }
    return run;
}

} // namespace qw
