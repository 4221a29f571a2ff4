#pragma once

#include <string_view>

namespace qw::plugin {

// What the file that has the focus in the IDE is to the commands.
enum class SourceKind {
    Other,   // not a Pascal source: the commands refuse it
    Source,  // a unit or include file (".pas", ".inc")
    Project, // a project file (".dpr")
};

// The file name's extension (from the last "." of its file name, the dot
// included), in lower case, looked up with a blank on each side in
// " .dpr .pas .inc ": so "UNIT1.PAS" is a source, and a name without
// extension or with any other one is not.
SourceKind sourceKindOf(std::string_view fileName);

// The message for a file that is not a Pascal source.
inline constexpr std::string_view kNotAPascalSource = "A Pascal source must have the focus!";

} // namespace qw::plugin
