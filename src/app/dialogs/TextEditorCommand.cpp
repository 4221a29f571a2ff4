#include "app/dialogs/TextEditorCommand.h"

#include <QStandardPaths>

#include <array>

namespace qw::desktop {
namespace {

struct KnownEditor {
    const char* program;
    const char* waitOption; // null: its process lasts as long as its window anyway
};

// Many desktop editors hand a file to a running instance and return at once
// unless told otherwise.
constexpr std::array<KnownEditor, 6> kEditors = {{
    {"gedit", "--wait"},
    {"gnome-text-editor", "--standalone"},
    {"kate", "--block"},
    {"mousepad", "--disable-server"},
    {"featherpad", "--standalone"},
    {"leafpad", nullptr},
}};

} // namespace

QString findOnPath(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

Command textEditorCommand(const QString& file, EditorWait wait, const ExecutableFinder& find) {
#ifdef Q_OS_WIN
    (void)wait;
    (void)find;
    return Command{QStringLiteral("notepad.exe"), {file}};
#else
    for (const KnownEditor& editor : kEditors) {
        const QString program = find(QString::fromLatin1(editor.program));
        if (program.isEmpty())
            continue;
        Command command{program, {}};
        if (wait == EditorWait::UntilClosed && editor.waitOption)
            command.arguments << QString::fromLatin1(editor.waitOption);
        // A name that starts with "-" would be read as an option.
        command.arguments << (file.startsWith(u'-') ? QStringLiteral("./") + file : file);
        return command;
    }
    return {};
#endif
}

} // namespace qw::desktop
