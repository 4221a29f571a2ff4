#pragma once

#include <string>

#include "drivers/ResultDocument.h"
#include "drivers/SaveFile.h"
#include "engine/Message.h"
#include "engine/Progress.h"

namespace qw {

class ProjectReport;

// What the drivers need of a shell (the desktop program, the IDE plug-in, the
// command-line tool, a test script). Everything is called on the thread that
// called the driver, in the order of the driver's steps:
//
//   openProgress -> (ask | lineProcessed)* -> closeProgress
//     -> ask? -> showResult | saveResult
//
// once per file, and for a project walk: that sequence per processed file,
// then showReport (or showError when a save failed, and then no report).
//
// A shell that pumps its event loop in lineProcessed may receive a second
// command there; the drivers refuse it (see Drivers::running), so the shell
// need not guard against it, though it should grey out its commands.
class DriverUi {
public:
    virtual ~DriverUi() = default;

    // --- Progress window (exists from openProgress to closeProgress) ---

    // Create and show, without waiting, the progress window of one pass.
    // `progress` holds fresh counters (all 0, abort flag clear) and the
    // file's size in `totalBytes` (at least 1); it stays valid until
    // closeProgress. `title` is the file name without its folder for a
    // comment run and "Progress" for a clean run.
    virtual void openProgress(const std::string& title, Progress& progress) = 0;
    // Once per line read, after the counters moved. A window updates its
    // labels and bar here and handles pending events; its Abort button (and
    // Escape) sets progress.abortRequested, which the pass tests before its
    // next line.
    virtual void lineProcessed(Progress& progress) = 0;
    // Destroy the progress window. `progress` is no longer valid afterwards.
    virtual void closeProgress() = 0;

    // --- Questions ---

    // Show a modal message and return the button pressed. The pass's own
    // messages (a file that cannot be opened, a string that runs past its
    // line, ...) come here as well as the drivers' questions, whose texts are
    // in drivers/DriverMessages.h. Only the buttons in message.buttons may
    // be answered.
    virtual Button ask(const Message& message) = 0;

    // --- Result window ---

    // Show the result window modally and return when it has closed. Its title
    // is result.title; its status bar tells result.commentCount as
    // result.counts says. With result.saveButton Disabled the Save button is
    // greyed out and closing asks nothing. A shell's own Save button saves
    // with saveResultDocument (the user may have edited result.editor).
    virtual void showResult(ResultDocument& result) = 0;
    // The result window's save without showing it (a project walk saves
    // every unit that got new comments this way). Normally
    // `return saveResultDocument(fs, result);`. A failure ends the walk.
    virtual SaveResult saveResult(const ResultDocument& result) = 0;

    // --- Project report ---

    // Show the report of a finished (or aborted) walk modally.
    virtual void showReport(const ProjectReport& report) = 0;

    // --- The program's general error display ---

    // An error that ended a command (a file that could not be written: the
    // text is "Cannot create file NAME", `reason` says why in the file
    // system's words).
    virtual void showError(const std::string& text, const std::string& reason) = 0;
};

} // namespace qw
