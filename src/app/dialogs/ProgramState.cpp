#include "app/dialogs/ProgramState.h"

#include <QDialog>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/TFrmSetup.h"
#include "drivers/RunConfiguration.h"
#include "platform/FileSystem.h"
#include "schema/SchemaFile.h"

namespace qw::desktop {

std::string unreadableSchemaText(const std::string& path, const std::string& reason) {
    return "The schema \"" + path + "\" could not be read" +
           (reason.empty() ? std::string() : " (" + reason + ")") +
           ".\r\n\r\nChoose a schema in the setup dialog that opens now, or write one there "
           "and save it with the popup menu of the list of files. Without a schema no header "
           "comments are written.";
}

PassOptions passOptionsFor(const ProgramState& state, FileSystem* files) {
    return runConfiguration(state.settings, state.schema, state.clock, files).options;
}

bool loadCurrentSchema(ProgramState& state, const WindowServices& services, HotKeyControls hotKey) {
    state.schema = Schema{};
    std::string bytes;
    const std::string path = schemaPath(state.settings);
    const IoResult read = services.files.readFile(path, bytes);
    if (read) {
        state.schema = loadSchema(bytes);
        return true;
    }
    // Without a word the setup dialog would seem to open for no reason.
    services.dialogs.ask(nullptr, {MessageId::SchemaUnreadable,
                                   DialogKind::Information,
                                   unreadableSchemaText(path, read.error),
                                   {Button::Ok},
                                   {},
                                   0});
    TFrmSetup setup(services, state.settings, state.schema, hotKey, nullptr);
    return services.dialogs.showModal(setup) == QDialog::Accepted;
}

} // namespace qw::desktop
