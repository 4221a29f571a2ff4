#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qw {
class FileSystem;
}

namespace qw::cli {

// The schema that ships with the tool and serves on a first start, when no
// schema name is stored yet.
inline constexpr const char* kBundledSchemaName = "Demo.cs";

// Where it may lie, first first: beside the program (schemas/), in the
// installed share folder (../share/quillwright/schemas/), one folder up (a
// build folder inside the source tree) and in the source tree the program was
// built from.
std::vector<std::string> bundledSchemaCandidates();

// The first candidate that is a file.
std::optional<std::string> findBundledSchema(FileSystem& fs);

} // namespace qw::cli
