// The project walk: the project file, then every unit reached through uses
// clauses, breadth-first in the order the names were found.

#include "drivers/DriverMessages.h"
#include "drivers/DriverUi.h"
#include "drivers/Drivers.h"
#include "drivers/FilePaths.h"
#include "drivers/ProjectReport.h"
#include "drivers/RunGuard.h"
#include "drivers/UnitFolder.h"
#include "platform/FileSystem.h"
#include "text/Text.h"

namespace qw {
namespace {

bool isProjectFile(const std::string& fileName) {
    return toLower(extensionOf(fileName)) == ".dpr";
}

} // namespace

WalkEnd Drivers::commentProject(const std::string& projectFile, const std::string& unitFolder) {
    RunGuard guard(running_);
    if (!guard)
        return WalkEnd::Refused;
    if (!isProjectFile(projectFile)) {
        ui_.ask({MessageId::NotAProjectFile,
                 DialogKind::Warning,
                 std::string(driver_messages::kNotAProjectFile),
                 {Button::Abort},
                 projectFile,
                 0});
        return WalkEnd::NotAProjectFile;
    }

    FileSystem& fs = options_.fileSystem ? *options_.fileSystem : realFileSystem();
    UnitFolder folder(fs, unitFolder);
    lists_.clear();
    lists_.enqueue(projectFile);
    ProjectReport report;

    while (!lists_.queueEmpty()) {
        // The current name stays first in the queue while its file is
        // processed: the pass queues no name that either list holds, and an
        // abort leaves it there.
        const std::string name = lists_.front();
        const bool isProject = lists_.done().empty();
        std::optional<std::string> path;
        if (isProject && hasFolder(name))
            path = fs.isFile(name) ? std::optional<std::string>(name) : std::nullopt;
        else
            path = folder.find(name);

        if (path) {
            const FileRun run = runFile(*path, Pass::Comment, Interaction::SaveSilently, lists_);
            if (run.aborted)
                break;
            if (run.saveFailed)
                return WalkEnd::SaveFailed;
            // A unit whose result failed the code check was not written: it
            // is left off the report, and the walk goes on.
            if (!run.refused)
                report.addEntry(name, run.count, *path);
        }
        lists_.moveFrontToDone();
    }

    ui_.showReport(report);
    return lists_.queueEmpty() ? WalkEnd::Finished : WalkEnd::Aborted;
}

WalkEnd Drivers::commentProject(const std::string& projectFile) {
    return commentProject(projectFile, std::string(folderOf(projectFile)));
}

} // namespace qw
