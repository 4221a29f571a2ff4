#include "app/desktop/QuilloProgram.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

#include "app/desktop/TForm1.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/QtDialogLayer.h"
#include "app/dialogs/RunAndWait.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TFrmSetup.h"
#include "app/dialogs/TextEditorCommand.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"
#include "platform/UserSettingsStore.h"

namespace qw::desktop {

QuilloProgram::QuilloProgram(const WindowServices& services, SettingsStore& store,
                             UserEnvironment user, Clock& clock)
    : services_(services), store_(store), user_(std::move(user)) {
    state_.clock = &clock;
}

QuilloProgram::~QuilloProgram() = default;

void QuilloProgram::start() {
    state_.settings = loadSettings(store_, user_).settings;
    // The main window opens where the program was started, also after a
    // setup dialog at start has moved the current directory to its schemas.
    const QString startFolder = QDir::currentPath();
    loadCurrentSchema(state_, services_, HotKeyControls::Hidden);
    QDir::setCurrent(startFolder);
    mainWindow_ = std::make_unique<TForm1>(services_, state_);
}

bool QuilloProgram::finish() {
    mainWindow_.reset();
    return saveSettings(store_, state_.settings).ok;
}

int runQuillo() {
    // The pictures are loaded before the setup dialog can first need them.
    SchemaPictures pictures;
    QtDialogLayer dialogs;
    TextEditor editor;
    FileSystem& files = realFileSystem();
    const WindowServices services{dialogs, processLauncher(), editor, files, pictures};
    const UserEnvironment user = currentUserEnvironment();
    std::unique_ptr<SettingsStore> store = userSettingsStore(user, files);
    SystemClock clock;

    QuilloProgram program(services, *store, user, clock);
    program.start();
    program.mainWindow()->show();
    const int status = QApplication::exec();
    if (!program.finish())
        std::fputs("quillo: the settings could not be saved\n", stderr);
    return status;
}

} // namespace qw::desktop
