#include "plugin/ExpertLibrary.h"

#include <cstdio>

#include "app/dialogs/TFrmSetup.h"
#include "platform/FileSystem.h"
#include "platform/UserSettingsStore.h"
#include "plugin/TQuillmarkExpert.h"
#include "plugin/TransientParent.h"
#include "settings/Settings.h"

namespace qw::plugin {

ExpertLibrary::ExpertLibrary()
    : services_{dialogs_, desktop::processLauncher(), editor_, realFileSystem(), pictures_},
      user_(currentUserEnvironment()), store_(userSettingsStore(user_, services_.files)),
      ui_(services_, nullptr) {
    state_.clock = &clock_;
    state_.settings = loadSettings(*store_, user_).settings;
    if (application_.hasWidgets())
        desktop::loadCurrentSchema(state_, services_, desktop::HotKeyControls::Shown);
    drivers_ = std::make_unique<Drivers>(ui_, desktop::passOptionsFor(state_, &services_.files));
}

ExpertLibrary::~ExpertLibrary() {
    drivers_.reset(); // the project lists
    if (!saveSettings(*store_, state_.settings).ok)
        std::fputs("QuillwrightExpert: the settings could not be saved\n", stderr);
    parent_.reset();
}

bool ExpertLibrary::initExpert(ide::ToolServices* toolServices, QwExpertRegisterProc registerProc,
                               QwExpertTerminateProc* terminate) {
    if (toolServices_)
        return false;
    if (!toolServices || !registerProc || !application_.hasWidgets()) {
        if (terminate)
            *terminate = nullptr;
        return false;
    }

    toolServices_ = toolServices;
    parent_ = TransientParent::forHandle(toolServices->GetParentHandle());
    if (terminate)
        *terminate = nullptr;
    expert_ = new TQuillmarkExpert(*this);
    registerProc(expert_);
    return true;
}

void ExpertLibrary::expertDestroyed(TQuillmarkExpert* expert) {
    if (expert_ == expert)
        expert_ = nullptr;
}

void ExpertLibrary::settingsChanged() {
    drivers_->setPassOptions(desktop::passOptionsFor(state_, &services_.files));
}

} // namespace qw::plugin
