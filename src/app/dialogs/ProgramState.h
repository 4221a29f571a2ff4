#pragma once

#include <string>

#include "app/dialogs/WindowServices.h"
#include "engine/PassOptions.h"
#include "schema/Schema.h"
#include "settings/Settings.h"

namespace qw {
class Clock;
}

namespace qw::desktop {

enum class HotKeyControls;

// The process-wide state of a program run, held in one object: the settings,
// the schema in use (its lines and fixed flags) and the clock of "%Date" and
// "%Time".
struct ProgramState {
    Settings settings;
    Schema schema;
    Clock* clock = nullptr;
};

// The pass options the settings and the schema make.
PassOptions passOptionsFor(const ProgramState& state, FileSystem* files);

// Reads the current schema (the schema folder joined with its name). When it
// cannot be read, the user is told which file and why (unreadableSchemaText),
// and the setup dialog opens at once so that the user can choose or create
// one; after Cancel the schema stays empty. True when a schema was read or
// chosen.
bool loadCurrentSchema(ProgramState& state, const WindowServices& services, HotKeyControls hotKey);

// The message before that setup dialog: the schema file, the reason in the
// file system's words, and what to do.
std::string unreadableSchemaText(const std::string& path, const std::string& reason);

} // namespace qw::desktop
