#pragma once

#include <ostream>
#include <string>

#include "cli/ExitStatus.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

// `quillwright settings`: the values in use in the current folder (the
// project settings file that applies there over the stored ones), where each
// comes from, and the schema a run would read.
ExitStatus showSettings(FileSystem& fs, std::ostream& out, std::ostream& err);

// `quillwright settings set NAME VALUE`: changes one stored value and leaves
// the others as they are. NAME is a stored name (Path, Name, User, Style,
// SCut, CRef) or its long form (schema-directory, schema, coder, style,
// hotkey, xref), in any letter case.
ExitStatus setSetting(FileSystem& fs, const std::string& name, const std::string& value,
                      std::ostream& err);

// The names `settings set` takes, for the help text.
const char* settingNamesHelp();

} // namespace qw::cli
