#include "app/dialogs/ProgramState.h"

#include <QDialog>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/TFrmSetup.h"
#include "engine/FileSystem.h"
#include "schema/SchemaFile.h"

namespace qw::desktop {
namespace {

// A stored style outside 0 to 3 means nothing to the pass: the default then.
EndCommentStyle styleOf(std::uint8_t stored) {
    return stored <= 3 ? static_cast<EndCommentStyle>(stored) : EndCommentStyle::Brace;
}

} // namespace

PassOptions passOptionsFor(const ProgramState& state, FileSystem* files) {
    PassOptions options;
    options.style = styleOf(state.settings.endCommentStyle);
    options.crossReference = state.settings.crossReference;
    options.schema = state.schema;
    options.coderName = state.settings.coderName;
    options.clock = state.clock;
    options.fileSystem = files;
    return options;
}

bool loadCurrentSchema(ProgramState& state, const WindowServices& services, HotKeyControls hotKey) {
    state.schema = Schema{};
    std::string bytes;
    if (services.files.readFile(schemaPath(state.settings), bytes)) {
        state.schema = loadSchema(bytes);
        return true;
    }
    TFrmSetup setup(services, state.settings, state.schema, hotKey, nullptr);
    return services.dialogs.showModal(setup) == QDialog::Accepted;
}

} // namespace qw::desktop
