#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "app/dialogs/ProgramLauncher.h"

namespace qw::desktop {

// Whether the editor's process must last until its window is closed (the
// setup dialog reloads the schema then).
enum class EditorWait { UntilClosed, No };

// Finds a program on the search path (an absolute name: when it can be
// run); empty when there is none.
using ExecutableFinder = std::function<QString(const QString& name)>;

// The search of the program's own platform.
QString findOnPath(const QString& name);

// What finding the user's text editor asks of the system; tests hand in
// their own answers.
struct EditorLookup {
    ExecutableFinder find = findOnPath;
    // An environment variable's value (VISUAL, EDITOR); empty when unset.
    std::function<QString(const char* name)> environment = [](const char* name) {
        return qEnvironmentVariable(name);
    };
    // The desktop entry (the *.desktop file's text) of the desktop's default
    // application for plain text; empty when there is none.
    std::function<QByteArray()> defaultTextApplication;
};

// The user's text editor opening `file` (one argument, blanks and all). On
// Windows it is "notepad.exe". Elsewhere, the first of these that can be
// started:
//   1. the desktop's default application for plain text;
//   2. the program that $VISUAL, then $EDITOR names, with its arguments; one
//      that is not a known desktop editor (vi, nano, ...) runs in a terminal
//      window (x-terminal-emulator, else xterm);
//   3. one of the known desktop editors found on the search path: gedit,
//      gnome-text-editor, kate, mousepad, featherpad, leafpad.
// A known desktop editor gets its option to keep its process until its
// window is closed where it needs one (gedit --wait, kate --block, ...).
// Empty when there is none.
Command textEditorCommand(const QString& file, EditorWait wait, const EditorLookup& lookup);

// The text editor of a program run: the system's, or what a test hands in.
class TextEditor {
public:
    TextEditor();
    explicit TextEditor(EditorLookup lookup) : lookup_(std::move(lookup)) {}
    Command command(const QString& file, EditorWait wait) const {
        return textEditorCommand(file, wait, lookup_);
    }

private:
    EditorLookup lookup_;
};

} // namespace qw::desktop
