#include "DesktopTest.h"

#include <QFile>

namespace qw::desktop::test {

Button ScriptedDialogs::ask(QWidget*, const Message& message) {
    asked.push_back({message.kind, QString::fromStdString(message.text), message.buttons});
    Button answer = fallback;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::askText(QWidget*, const QString& caption,
                                                const QString& prompt, const QString& initial) {
    textAsked.push_back({caption, prompt, initial});
    if (textAnswers.empty())
        return std::nullopt;
    const bool confirmed = textAnswers.front().has_value();
    const QString text = confirmed ? *textAnswers.front() : QString();
    textAnswers.pop_front();
    if (!confirmed)
        return std::nullopt;
    return text;
}

void ScriptedDialogs::showError(QWidget*, const QString& text, const QString&) {
    errors << text;
}

int ScriptedDialogs::showModal(QDialog& dialog) {
    dialog.show(); // as exec() does: the window's show handler runs
    QCoreApplication::processEvents();
    if (!modalActions.empty()) {
        ModalAction action = std::move(modalActions.front());
        modalActions.pop_front();
        action(dialog);
    }
    if (dialog.isVisible())
        dialog.done(QDialog::Rejected);
    shown.push_back({QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(),
                     dialog.result()});
    return dialog.result();
}

void ScriptedDialogs::showHelp(QWidget*) {
    ++helpShown;
}

bool RecordingLauncher::runAndWait(const Command& command, ShowWindow show, int timeoutMs) {
    runs.push_back({command, show, timeoutMs});
    if (starts && whileRunning)
        whileRunning(command);
    return starts;
}

bool RecordingLauncher::start(const Command& command, ShowWindow show) {
    runs.push_back({command, show, -2});
    return starts;
}

IoResult FailingFileSystem::readFile(const std::string& path, std::string& bytes) {
    return realFileSystem().readFile(path, bytes);
}
IoResult FailingFileSystem::writeFile(const std::string& path, std::string_view bytes) {
    if (!failWrites.empty() && path.find(failWrites) != std::string::npos)
        return IoResult::failure("injected failure");
    return realFileSystem().writeFile(path, bytes);
}
IoResult FailingFileSystem::removeFile(const std::string& path) {
    return realFileSystem().removeFile(path);
}
IoResult FailingFileSystem::renameFile(const std::string& from, const std::string& to) {
    return realFileSystem().renameFile(from, to);
}
bool FailingFileSystem::isFile(const std::string& path) {
    return realFileSystem().isFile(path);
}
bool FailingFileSystem::isDirectory(const std::string& path) {
    return realFileSystem().isDirectory(path);
}
std::int64_t FailingFileSystem::fileSize(const std::string& path) {
    return realFileSystem().fileSize(path);
}
std::vector<std::string> FailingFileSystem::listDirectory(const std::string& path) {
    return realFileSystem().listDirectory(path);
}

DesktopFixture::DesktopFixture() {
    if (!folder.isValid())
        qFatal("no temporary folder");
}

void DesktopFixture::write(const QString& name, const std::string& bytes) const {
    QFile out(file(name));
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(name));
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string DesktopFixture::read(const QString& name) const {
    QFile in(file(name));
    if (!in.open(QIODevice::ReadOnly))
        return "<missing>";
    return in.readAll().toStdString();
}

QStringList leakedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QStringList leaked;
    for (QWidget* window : QApplication::topLevelWidgets())
        leaked << QString::fromLatin1(window->metaObject()->className()) + u':' +
                      window->objectName();
    return leaked;
}

TestEnvironment::TestEnvironment() {
    if (!home_.isValid())
        qFatal("no temporary folder");
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
        const QString dir = home_.filePath(QString::fromLatin1(name));
        QDir().mkpath(dir);
        qputenv(name, dir.toLocal8Bit());
    }
    const QString runtime = home_.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace qw::desktop::test
