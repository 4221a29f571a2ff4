#pragma once

#include <cstdint>
#include <string>

#include "engine/PassOptions.h"
#include "engine/ProjectLists.h"

namespace qw {

class DriverUi;

// Whether the user asked for this one file (the result is shown) or a project
// walk runs it (a result with new comments is saved at once, unseen).
enum class Interaction { ShowResult, SaveSilently };

// How a project walk ended.
enum class WalkEnd {
    Finished,        // the queue ran empty; the report was shown
    Aborted,         // a pass was aborted; the report was shown with the files before it
    SaveFailed,      // a save failed; the error was shown, the report was not
    NotAProjectFile, // the file's extension is not ".dpr"; only the warning was shown
    Refused,         // another command was still running; nothing happened
};

// The three commands of the program: comment one file, clean one file, and
// comment a project with every unit it reaches. One object per shell; it owns
// the project lists. Runs never overlap: a command that arrives while another
// runs (from the event handling inside DriverUi::lineProcessed, say) is
// refused and returns at once without calling the UI.
//
// Every run reads the pass options as they are at its start; change them with
// setPassOptions between runs (after the setup dialog, for instance).
class Drivers {
public:
    // `options` carries the current schema, end-comment style, coder name,
    // cross-reference switch, clock and file system (null: the platform's
    // files); the drivers set its mode and project lists themselves.
    Drivers(DriverUi& ui, PassOptions options);

    void setPassOptions(PassOptions options);
    const PassOptions& passOptions() const { return options_; }

    // Comments `fileName` (a full path; it is also the name the result is
    // saved under). `commentCount` receives the number of comments the pass
    // inserted. With ShowResult: true when the result window was shown after
    // a pass that was not aborted. With SaveSilently the result is saved when
    // it has new comments, shown only after an abort when the user asks;
    // returns false. A silent save is made only when the result holds the
    // same code as the file (see UnreviewedSave.h); otherwise the shell is
    // told why, and nothing is written. False as well when the command is
    // refused because another runs (count 0).
    bool commentFile(const std::string& fileName, Interaction interaction,
                     std::int32_t& commentCount);

    // Removes the comments of `fileName`; always shows its result (after an
    // abort or with nothing removed, only when the user says Yes). True when
    // the result window was shown after a pass that was not aborted.
    bool cleanFile(const std::string& fileName);

    // Comments the project file and, breadth-first in the order their names
    // are found in uses clauses, every unit it reaches, each once; saves the
    // units that get new comments (with their backups) and shows the report.
    // Unit names carry no folder: they are looked up in `unitFolder` (empty:
    // the current directory) without regard to letter case, so the queued
    // "unit1.pas" finds Unit1.pas, and a unit is saved under its name on
    // disk. Names that are no files there are skipped without a message. The
    // project file itself is used as given when it names a folder, else it is
    // looked up in `unitFolder` too.
    WalkEnd commentProject(const std::string& projectFile, const std::string& unitFolder);
    // The same with the units looked up in the project file's folder (the
    // current directory when its name has none): where the user chose the
    // project, whatever the current directory has become since (the setup
    // dialog moves it to the schema folder).
    WalkEnd commentProject(const std::string& projectFile);

    // A command is in progress.
    bool running() const { return running_; }

    // The lists of the last walk: after an abort, the aborted file's name is
    // still first in the queue.
    const ProjectLists& projectLists() const { return lists_; }

    // The unit names that the uses clauses of the last commentFile or
    // cleanFile outside a walk gave, in order. Such a run queues into lists
    // of its own, emptied at its start: nothing reads those names in a walk,
    // and they must not pile up over thousands of files.
    const ProjectLists& fileLists() const { return fileLists_; }

private:
    // What one file's run left behind, for the walk.
    struct FileRun {
        bool shown = false;      // the result was shown after a pass that was not aborted
        std::int32_t count = 0;  // comments inserted or removed
        bool aborted = false;    // the pass was aborted (by the user or on an error)
        bool saveFailed = false; // a silent save failed; the error has been shown
        bool refused = false;    // a silent save was refused by the code check; it was told
    };
    enum class Pass { Comment, Clean };
    FileRun runFile(const std::string& fileName, Pass pass, Interaction interaction,
                    ProjectLists& lists);

    DriverUi& ui_;
    PassOptions options_;
    ProjectLists lists_;
    ProjectLists fileLists_;
    bool running_ = false;
};

} // namespace qw
