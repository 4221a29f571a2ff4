#include "app/dialogs/TextEditorCommand.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <array>
#include <optional>

#include "app/dialogs/DesktopEntry.h"

namespace qw::desktop {
#ifndef Q_OS_WIN
namespace {

struct KnownEditor {
    const char* program;
    const char* waitOption; // null: its process lasts as long as its window anyway
    bool lookedFor;         // tried on the search path when nothing else is set
};

// Many desktop editors hand a file to a running instance and return at once
// unless told otherwise.
constexpr std::array<KnownEditor, 9> kEditors = {{
    {"gedit", "--wait", true},
    {"gnome-text-editor", "--standalone", true},
    {"kate", "--block", true},
    {"mousepad", "--disable-server", true},
    {"featherpad", "--standalone", true},
    {"leafpad", nullptr, true},
    {"kwrite", nullptr, false},
    {"gvim", "--nofork", false},
    {"code", "--wait", false},
}};

const KnownEditor* knownEditor(const QString& program) {
    const QString name = QFileInfo(program).fileName();
    for (const KnownEditor& editor : kEditors)
        if (name == QLatin1String(editor.program))
            return &editor;
    return nullptr;
}

// A name that starts with "-" would be read as an option.
QString fileArgument(const QString& file) {
    return file.startsWith(u'-') ? QStringLiteral("./") + file : file;
}

// `words` (a program and its arguments, the file among them) as a command;
// a known editor gets its option to wait when asked and not yet given.
std::optional<Command> directCommand(const QStringList& words, EditorWait wait,
                                     const EditorLookup& lookup) {
    if (words.isEmpty())
        return std::nullopt;
    const QString program = lookup.find(words.front());
    if (program.isEmpty())
        return std::nullopt;
    Command command{program, words.mid(1)};
    const KnownEditor* known = knownEditor(program);
    if (wait == EditorWait::UntilClosed && known && known->waitOption &&
        !command.arguments.contains(QLatin1String(known->waitOption)))
        command.arguments.prepend(QLatin1String(known->waitOption));
    return command;
}

// A terminal window running `words`: the terminal's process lasts as long as
// the editor in it.
std::optional<Command> inTerminal(const QStringList& words, const EditorLookup& lookup) {
    if (words.isEmpty() || lookup.find(words.front()).isEmpty())
        return std::nullopt;
    for (const char* terminal : {"x-terminal-emulator", "xterm"}) {
        const QString program = lookup.find(QLatin1String(terminal));
        if (!program.isEmpty())
            return Command{program, QStringList{QStringLiteral("-e")} + words};
    }
    return std::nullopt;
}

std::optional<Command> defaultApplication(const QString& file, EditorWait wait,
                                          const EditorLookup& lookup) {
    if (!lookup.defaultTextApplication)
        return std::nullopt;
    const std::optional<DesktopEntry> entry = parseDesktopEntry(lookup.defaultTextApplication());
    if (!entry)
        return std::nullopt;
    const QStringList words = execArgumentsFor(*entry, fileArgument(file));
    return entry->terminal ? inTerminal(words, lookup) : directCommand(words, wait, lookup);
}

// $VISUAL or $EDITOR: traditionally an editor for the terminal.
std::optional<Command> environmentEditor(const char* variable, const QString& file, EditorWait wait,
                                         const EditorLookup& lookup) {
    const QString value = lookup.environment(variable).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    const QStringList words = QProcess::splitCommand(value) << fileArgument(file);
    if (knownEditor(words.front()))
        return directCommand(words, wait, lookup);
    return inTerminal(words, lookup);
}

} // namespace
#endif

QString findOnPath(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

TextEditor::TextEditor() {
    lookup_.defaultTextApplication = defaultTextApplicationEntry;
}

Command textEditorCommand(const QString& file, EditorWait wait, const EditorLookup& lookup) {
#ifdef Q_OS_WIN
    (void)wait;
    (void)lookup;
    return Command{QStringLiteral("notepad.exe"), {file}};
#else
    if (auto command = defaultApplication(file, wait, lookup))
        return *command;
    for (const char* variable : {"VISUAL", "EDITOR"})
        if (auto command = environmentEditor(variable, file, wait, lookup))
            return *command;
    for (const KnownEditor& editor : kEditors) {
        if (!editor.lookedFor)
            continue;
        if (auto command =
                directCommand({QLatin1String(editor.program), fileArgument(file)}, wait, lookup))
            return *command;
    }
    return {};
#endif
}

} // namespace qw::desktop
