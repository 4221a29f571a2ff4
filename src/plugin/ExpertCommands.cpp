// The expert's three commands on the file that has the focus in the IDE.

#include <QString>

#include <exception>
#include <optional>
#include <string>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/TFrmSetup.h"
#include "drivers/Drivers.h"
#include "drivers/RunGuard.h"
#include "plugin/ExpertLibrary.h"
#include "plugin/IdeStrings.h"
#include "plugin/PascalSource.h"
#include "plugin/TQuillmarkExpert.h"

namespace qw::plugin {
namespace {

struct FocusedSource {
    std::string fileName;
    SourceKind kind;
};

// Runs a command unless one runs already: while a pass handles the window
// system's events, the IDE's menu and hot key still answer, and a second
// command then does nothing at all. An error that the command does not
// handle itself ends it and is shown by the general error display.
template <typename Command> void runCommand(ExpertLibrary& library, Command command) {
    RunGuard guard(library.commandRunning());
    if (!guard)
        return;
    try {
        command();
    } catch (const std::exception& error) {
        library.services().dialogs.showError(nullptr, QString::fromLocal8Bit(error.what()), {});
    }
}

// The file that has the focus, saved by the IDE; nothing when it is no
// Pascal source (the user is told) or when the IDE could not save it.
std::optional<FocusedSource> savedSource(ExpertLibrary& library, ide::ToolServices& tools) {
    FocusedSource source{currentFileOf(tools), SourceKind::Other};
    source.kind = sourceKindOf(source.fileName);
    if (source.kind == SourceKind::Other) {
        const Message refusal{MessageId::NotAPascalSource,
                              DialogKind::Error,
                              std::string(kNotAPascalSource),
                              {Button::Cancel},
                              source.fileName,
                              0};
        library.services().dialogs.ask(nullptr, refusal);
        return std::nullopt;
    }
    if (!tools.SaveFile(source.fileName.c_str()))
        return std::nullopt;
    return source;
}

} // namespace

void TQuillmarkExpert::CommentClick(ide::MenuItem*) {
    ide::ToolServices* tools = library_.toolServices();
    if (!tools)
        return;
    runCommand(library_, [&] {
        const std::optional<FocusedSource> source = savedSource(library_, *tools);
        if (!source)
            return;
        if (source->kind == SourceKind::Project) {
            // The units are looked up beside the project file; only the
            // project file is reloaded, not the units the walk changed.
            library_.drivers().commentProject(source->fileName);
            tools->ReloadFile(source->fileName.c_str());
            return;
        }
        std::int32_t commentCount = 0;
        if (library_.drivers().commentFile(source->fileName, Interaction::ShowResult, commentCount))
            tools->ReloadFile(source->fileName.c_str());
    });
}

void TQuillmarkExpert::StripClick(ide::MenuItem*) {
    ide::ToolServices* tools = library_.toolServices();
    if (!tools)
        return;
    runCommand(library_, [&] {
        // A project file is cleaned as it is, without a walk.
        const std::optional<FocusedSource> source = savedSource(library_, *tools);
        if (source && library_.drivers().cleanFile(source->fileName))
            tools->ReloadFile(source->fileName.c_str());
    });
}

void TQuillmarkExpert::SetupClick(ide::MenuItem*) {
    runCommand(library_, [&] {
        desktop::ProgramState& state = library_.state();
        desktop::TFrmSetup setup(library_.services(), state.settings, state.schema,
                                 desktop::HotKeyControls::Shown, nullptr);
        // The dialog shows the hot key in force, and whatever it ends with
        // (Ok takes the key of its field, Cancel keeps the old one) goes
        // back to the item.
        if (DoItItem)
            state.settings.commentHotKey = DoItItem->GetShortCut();
        library_.services().dialogs.showModal(setup);
        if (DoItItem)
            DoItItem->SetShortCut(state.settings.commentHotKey);
        library_.settingsChanged();
    });
}

} // namespace qw::plugin
