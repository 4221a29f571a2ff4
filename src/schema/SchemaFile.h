#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "schema/Schema.h"

namespace qw {

// The lines of a schema file's bytes: CR LF, a lone LF and a lone CR each end
// a line; a break after the last line adds no empty line.
std::vector<std::string> splitSchemaLines(std::string_view bytes);

// A schema file's bytes in memory form (markers removed, flags set).
Schema loadSchema(std::string_view bytes);

// The bytes of a schema file as the program writes it: a marker on every
// line, every line ended by CR LF.
std::string schemaFileText(const Schema& schema);

} // namespace qw
