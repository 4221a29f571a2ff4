// Opens each window of Quillo in turn, filled as in use, and saves a PNG
// picture of it into the folder given (scripts/screenshots runs it under
// Xvfb). Settings and sample files live in a temporary folder of its own.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/desktop/QuilloIcon.h"
#include "app/desktop/TForm1.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/HelpWindow.h"
#include "app/dialogs/QtDialogLayer.h"
#include "app/dialogs/RunAndWait.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TFProjRep.h"
#include "app/dialogs/TFileListBox.h"
#include "app/dialogs/TFrmProgress.h"
#include "app/dialogs/TFrmResult.h"
#include "app/dialogs/TFrmSetup.h"
#include "app/dialogs/TResultMemo.h"
#include "app/dialogs/TextEditorCommand.h"
#include "drivers/ProjectReport.h"
#include "drivers/ResultDocument.h"
#include "engine/SourcePass.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "schema/SchemaFile.h"

namespace {

using namespace qw;
using namespace qw::desktop;

class ShownDate final : public Clock {
public:
    std::string shortDate() override { return "08.12.2026"; }
    std::string longTime() override { return "10:30:00"; }
};

class Silent final : public PassHost {
public:
    Button ask(const Message&) override { return Button::Ignore; }
};

// On an X display the picture is taken from the screen, with the frame and
// title bar that the window manager (if one runs) gave the window; elsewhere
// from the window alone.
QPixmap picture(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.screen())
        return window.grab();
    // The window manager frames and places the window, then it is painted.
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 700) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    const QRect frame = window.frameGeometry();
    return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}

bool save(QWidget& window, const QString& folder, const char* name) {
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    const bool ok = picture(window).save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    window.hide();
    return ok;
}

// A modal window that `open` shows and waits for: taken, then closed.
bool saveModal(const std::function<void()>& open, const QString& folder, const char* name) {
    bool ok = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ok = save(*modal, folder, name);
        modal->close();
    });
    open();
    return ok;
}

void copyInto(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    QFile::copy(from, to);
}

// Made empty at the start, removed at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(QString path) : path_(std::move(path)) {
        QDir(path_).removeRecursively();
        QDir().mkpath(path_);
    }
    ~ScratchFolder() { QDir(path_).removeRecursively(); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    QString filePath(const QString& name) const { return QDir(path_).filePath(name); }

private:
    QString path_;
};

} // namespace

int main(int argc, char** argv) {
    // A folder of a fixed name, so that the pictures show the same path every time.
    const ScratchFolder home(QDir::tempPath() + QStringLiteral("/quillo-screenshots"));
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setFont(formFont());
    QApplication::setWindowIcon(quilloIcon());
    if (argc < 3) {
        std::fputs("usage: quillo_screenshots SOURCE_DIR OUTPUT_DIR\n", stderr);
        return 2;
    }
    // Absolute: the folder lists change the current directory.
    const QString source = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir().mkpath(out);

    // A small project beside the example unit, and the shipped schemas.
    const QString work = home.filePath(QStringLiteral("Projects/Counter"));
    copyInto(source + QStringLiteral("/examples/Counter.pas"),
             work + QStringLiteral("/Counter.pas"));
    QFile project(work + QStringLiteral("/CounterDemo.dpr"));
    project.open(QIODevice::WriteOnly);
    project.write("program CounterDemo;\r\nuses Counter in 'Counter.pas';\r\nbegin\r\nend.\r\n");
    project.close();
    const QString schemas = home.filePath(QStringLiteral("schemas"));
    for (const char* name : {"Demo.cs", "PasDoc.cs", "XmlDoc.cs"})
        copyInto(source + QStringLiteral("/schemas/") + QLatin1String(name),
                 schemas + u'/' + QLatin1String(name));

    SchemaPictures pictures;
    QtDialogLayer dialogs;
    TextEditor editor;
    const WindowServices services{dialogs, processLauncher(), editor, realFileSystem(), pictures};
    ShownDate clock;
    ProgramState state;
    state.clock = &clock;
    state.settings.schemaDirectory = toNativeName(schemas);
    state.settings.schemaName = "Demo.cs";
    state.settings.coderName = "jane";
    std::string demo;
    realFileSystem().readFile(toNativeName(schemas + QStringLiteral("/Demo.cs")), demo);
    state.schema = loadSchema(demo);

    bool ok = true;
    {
        TForm1 form(services, state);
        form.DirectoryListBox1->setDirectory(work);
        form.FileListBox1->setCurrentRow(0, QItemSelectionModel::Select);
        ok &= save(form, out, "quillo-main.png");
    }
    {
        TFrmSetup setup(services, state.settings, state.schema, HotKeyControls::Hidden);
        ok &= save(setup, out, "quillo-setup.png");
    }
    {
        Progress progress;
        progress.totalBytes = 2400;
        TFrmProgress window(progress);
        window.setWindowTitle(QStringLiteral("Counter.pas"));
        progress.commentCount = 9;
        for (int line = 0; line < 52; ++line)
            progress.lineProcessed(20);
        window.LineProcessed();
        ok &= save(window, out, "quillo-progress.png");
    }
    {
        ResultDocument document;
        PassOptions options = passOptionsFor(state, nullptr);
        Silent host;
        Progress progress;
        SourcePass pass(options, host, progress);
        std::string bytes;
        const QString file = work + QStringLiteral("/Counter.pas");
        realFileSystem().readFile(toNativeName(file), bytes);
        pass.runText(toNativeName(file), bytes, document.editor);
        document.title = toNativeName(file);
        document.commentCount = progress.commentCount;
        TFrmResult window(services);
        window.LoadDocument(document);
        window.resize(640, 560);
        // The first routine's header at the top of the view.
        QTextCursor at(window.Memo2->document()->findBlockByNumber(60));
        window.Memo2->setTextCursor(at);
        at.setPosition(window.Memo2->document()->findBlockByNumber(33).position());
        window.Memo2->setTextCursor(at);
        ok &= save(window, out, "quillo-result.png");
    }
    {
        TFProjRep report(services);
        ProjectReport data;
        data.addEntry(toNativeName(work + QStringLiteral("/CounterDemo.dpr")), 0);
        data.addEntry("counter.pas", 12);
        report.AddEntries(data);
        report.ListBox1->setCurrentRow(1);
        report.ListBox1Click();
        ok &= save(report, out, "quillo-report.png");
    }
    ok &= saveModal(
        [&] {
            dialogs.ask(nullptr, {MessageId::SchemaUnreadable,
                                  DialogKind::Information,
                                  unreadableSchemaText(toNativeName(schemas + "/Mine.cs"),
                                                       "No such file or directory"),
                                  {Button::Ok},
                                  {},
                                  0});
        },
        out, "quillo-first-start.png");
    {
        HelpWindow help;
        ok &= save(help, out, "quillo-help.png");
    }
    return ok ? 0 : 1;
}
