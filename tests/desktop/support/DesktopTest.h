#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/ProgramLauncher.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/WindowServices.h"
#include "platform/FileSystem.h"

namespace qw::desktop::test {

// Answers every dialog from a script and keeps what it was asked, so that no
// test blocks on a modal window.
class ScriptedDialogs final : public DialogLayer {
public:
    struct Asked {
        DialogKind kind;
        QString text;
        std::vector<Button> buttons;
    };
    struct TextAsked {
        QString caption;
        QString prompt;
        QString initial;
    };
    struct Shown {
        QString className;
        QString title;
        int result = 0;
    };
    // What the user does while a modal window is shown; returns once the
    // window should be closed. A window still open afterwards is closed with
    // Rejected (without its close query).
    using ModalAction = std::function<void(QDialog&)>;

    Button ask(QWidget* parent, const Message& message) override;
    std::optional<QString> askText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    void showError(QWidget* parent, const QString& text, const QString& detail) override;
    int showModal(QDialog& dialog) override;
    void showHelp(QWidget* parent) override;

    std::deque<Button> answers; // used first to last; then `fallback`
    Button fallback = Button::No;
    std::deque<std::optional<QString>> textAnswers; // then: cancelled
    std::deque<ModalAction> modalActions;           // then: closed at once

    std::vector<Asked> asked;
    std::vector<TextAsked> textAsked;
    QStringList errors;
    std::vector<Shown> shown;
    int helpShown = 0;
};

// Records the programs it is asked to start instead of starting them.
class RecordingLauncher final : public ProgramLauncher {
public:
    struct Run {
        Command command;
        ShowWindow show;
        int timeoutMs; // -2: started without waiting
    };
    bool runAndWait(const Command& command, ShowWindow show, int timeoutMs) override;
    bool start(const Command& command, ShowWindow show) override;

    std::vector<Run> runs;
    bool starts = true; // false: every program fails to start
    // What "the program" does while it runs (edits a file, say).
    std::function<void(const Command&)> whileRunning;
};

// A file system over the real one whose writes fail for paths holding `failWrites`.
class FailingFileSystem final : public FileSystem {
public:
    IoResult readFile(const std::string& path, std::string& bytes) override;
    IoResult writeFile(const std::string& path, std::string_view bytes) override;
    IoResult removeFile(const std::string& path) override;
    IoResult renameFile(const std::string& from, const std::string& to) override;
    bool isFile(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::int64_t fileSize(const std::string& path) override;
    std::vector<std::string> listDirectory(const std::string& path) override;

    std::string failWrites; // empty: nothing fails
};

// Everything a window needs, with a temporary folder of the test's own.
struct DesktopFixture {
    DesktopFixture();

    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }
    void write(const QString& name, const std::string& bytes) const;
    std::string read(const QString& name) const;

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    // Finds "gedit" only, so the command is always the same.
    TextEditor editor{EditorLookup{[](const QString& name) {
                                       return name == QLatin1String("gedit")
                                                  ? QStringLiteral("/usr/bin/gedit")
                                                  : QString();
                                   },
                                   [](const char*) { return QString(); },
                                   {}}};
    FailingFileSystem files;
    SchemaPictures pictures;
    WindowServices services{dialogs, launcher, editor, files, pictures};
};

// The top-level windows still alive, after pending deletions ran; empty when
// a test cleaned up after itself.
QStringList leakedWindows();

// Sets up a test program: its own settings, cache and data folders (so that
// nothing reads or writes the user's), the offscreen platform unless another
// one was asked for, and the windows' font.
class TestEnvironment {
public:
    TestEnvironment();

private:
    QTemporaryDir home_;
};

} // namespace qw::desktop::test

#define QW_VERIFY_NO_LEAKED_WINDOWS()                                                              \
    do {                                                                                           \
        const QStringList leaked = ::qw::desktop::test::leakedWindows();                           \
        QVERIFY2(leaked.isEmpty(), qPrintable(QStringLiteral("leaked windows: ") +                 \
                                              leaked.join(QStringLiteral(", "))));                 \
    } while (false)

#define QW_DESKTOP_TEST_MAIN(TestObject)                                                           \
    int main(int argc, char** argv) {                                                              \
        ::qw::desktop::test::TestEnvironment environment;                                          \
        QApplication app(argc, argv);                                                              \
        QApplication::setFont(::qw::desktop::formFont());                                          \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
