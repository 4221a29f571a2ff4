#pragma once

#include <memory>

#include "app/dialogs/ProgramState.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/WindowDriverUi.h"
#include "app/dialogs/WindowServices.h"
#include "drivers/Drivers.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"
#include "platform/UserEnvironment.h"
#include "plugin/IdeInterfaces.h"
#include "plugin/PluginApplication.h"
#include "plugin/PluginDialogs.h"

namespace qw::plugin {

class TQuillmarkExpert;
class TransientParent;

// The state of one loaded library: the application object, the settings and
// the schema in use, the drivers with their project lists, the IDE's tool
// services and the expert.
//
// Its construction is the library's start: the settings are loaded, the
// current schema is read (the setup dialog, with its hot-key controls, opens
// at once when it cannot be) and the project lists are created. The library
// starts when the IDE first calls the entry point, right after loading it,
// not while the platform's loader runs: no window may be made there, and the
// order in which the linked libraries initialise is not defined. Its
// destruction, when the library is unloaded, is the library's end: the
// project lists are released and the settings saved.
class ExpertLibrary {
public:
    ExpertLibrary();
    ~ExpertLibrary();
    ExpertLibrary(const ExpertLibrary&) = delete;
    ExpertLibrary& operator=(const ExpertLibrary&) = delete;

    // The entry point's steps: takes the tool services, makes the IDE's main
    // window the parent of the library's windows, creates the expert and
    // registers it. False, doing nothing, when the entry point ran before
    // (with tool services); false as well when there are no tool services
    // or no register procedure, or when the process's application object
    // cannot show windows: then nothing is registered and a later call may
    // still succeed.
    bool initExpert(ide::ToolServices* toolServices, QwExpertRegisterProc registerProc,
                    QwExpertTerminateProc* terminate);

    // Empty until the entry point has run.
    ide::ToolServices* toolServices() const { return toolServices_; }
    TQuillmarkExpert* expert() const { return expert_; }
    // Called by the expert's destructor.
    void expertDestroyed(TQuillmarkExpert* expert);

    desktop::ProgramState& state() { return state_; }
    const desktop::WindowServices& services() const { return services_; }
    Drivers& drivers() { return *drivers_; }
    // After the setup dialog: the drivers take the settings and the schema
    // as they are now.
    void settingsChanged();
    // Set while a command of the expert runs: the commands never overlap.
    bool& commandRunning() { return commandRunning_; }

private:
    PluginApplication application_; // first made, last destroyed
    desktop::SchemaPictures pictures_;
    PluginDialogs dialogs_;
    desktop::TextEditor editor_;
    desktop::WindowServices services_;
    UserEnvironment user_;
    std::unique_ptr<SettingsStore> store_;
    SystemClock clock_;
    desktop::ProgramState state_;
    desktop::WindowDriverUi ui_;
    std::unique_ptr<Drivers> drivers_;
    std::unique_ptr<TransientParent> parent_;
    ide::ToolServices* toolServices_ = nullptr;
    TQuillmarkExpert* expert_ = nullptr;
    bool commandRunning_ = false;
};

} // namespace qw::plugin
