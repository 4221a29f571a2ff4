#pragma once

#include <QString>

#include <functional>

#include "app/dialogs/ProgramLauncher.h"

namespace qw::desktop {

// Whether the editor's process must last until its window is closed (the
// setup dialog reloads the schema then).
enum class EditorWait { UntilClosed, No };

// Finds a program on the search path; empty when there is none.
using ExecutableFinder = std::function<QString(const QString& name)>;

// The search of the program's own platform.
QString findOnPath(const QString& name);

// The system's plain text editor opening `file` (one argument, blanks and
// all). On Windows it is "notepad.exe". Elsewhere it is the first of these
// found on the search path, each with its option to keep its process until
// the window is closed where it needs one:
//   gedit --wait, gnome-text-editor --standalone, kate --block,
//   mousepad --disable-server, featherpad --standalone, leafpad.
// Empty when none is found.
Command textEditorCommand(const QString& file, EditorWait wait,
                          const ExecutableFinder& find = findOnPath);

// The text editor of a program run: tests hand in a finder of their own.
class TextEditor {
public:
    explicit TextEditor(ExecutableFinder find = findOnPath) : find_(std::move(find)) {}
    Command command(const QString& file, EditorWait wait) const {
        return textEditorCommand(file, wait, find_);
    }

private:
    ExecutableFinder find_;
};

} // namespace qw::desktop
