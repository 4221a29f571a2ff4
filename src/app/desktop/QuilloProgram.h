#pragma once

#include <memory>

#include "app/dialogs/ProgramState.h"
#include "app/dialogs/WindowServices.h"
#include "platform/UserEnvironment.h"

namespace qw {
class SettingsStore;
}

namespace qw::desktop {

class TForm1;

// One run of Quillo from start to end: the settings are loaded before any
// window exists (the setup dialog comes first when the current schema cannot
// be read), the main window lives for the whole run, and the settings are
// written back at the end.
class QuilloProgram {
public:
    QuilloProgram(const WindowServices& services, SettingsStore& store, UserEnvironment user,
                  Clock& clock);
    ~QuilloProgram();

    // Loads the settings and the schema and creates the main window (not yet shown).
    void start();
    TForm1* mainWindow() const { return mainWindow_.get(); }
    // Destroys the main window and saves the settings; false when the store
    // could not be written.
    bool finish();

    ProgramState& state() { return state_; }

private:
    WindowServices services_;
    SettingsStore& store_;
    UserEnvironment user_;
    ProgramState state_;
    std::unique_ptr<TForm1> mainWindow_;
};

// The whole program: Quillo as the desktop starts it. Returns its exit status.
int runQuillo();

} // namespace qw::desktop
