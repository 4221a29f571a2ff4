#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/CrossReference.h"
#include "settings/EndCommentStyle.h"

namespace qw {

// The name of the settings file a team keeps in its source tree.
inline constexpr const char* kProjectSettingsFileName = ".quillwright";

// One value of a project settings file and the line it stands on.
template <typename T> struct ProjectValue {
    T value;
    int line = 0;
};

// The values a project settings file gives; what it leaves out comes from the
// user's settings.
struct ProjectSettings {
    std::string file; // the project settings file itself
    // A path; a relative one is taken from the folder of the file.
    std::optional<ProjectValue<std::string>> schema;
    std::optional<ProjectValue<EndCommentStyle>> style;
    std::optional<ProjectValue<CrossReference>> crossReference;
    std::optional<ProjectValue<std::string>> coderName;
};

struct ProjectSettingsResult {
    std::optional<ProjectSettings> settings;
    std::string error; // "FILE:LINE: what is wrong" when `settings` is empty
};

// Reads the text of the project settings file `file`: one `name = value` per
// line (names schema, style, xref or cross-reference, coder, in any letter
// case; values spelt as `settings set` takes them); blank lines and lines
// starting with '#' or ';' say nothing. An unknown name, a bad or missing
// value, a name given twice or a line without '=' is an error naming the line.
ProjectSettingsResult parseProjectSettings(const std::string& file, std::string_view text);

// The names a project settings file takes, for messages and help.
const char* projectSettingNames();

} // namespace qw
