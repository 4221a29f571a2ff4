#pragma once

#include <string>
#include <vector>

#include "schema/Schema.h"

namespace qw {

// The marker in front of a schema file's line: "x" makes the line fixed, "o"
// free; both are removed. Any other first character (or an empty line) keeps
// the whole line, which counts as free.
Schema parseSchemaMarkers(std::vector<std::string> lines);

// The reverse before saving: "x" in front of every fixed line, "o" in front
// of every other, so that a saved file has a marker on every line.
std::vector<std::string> addSchemaMarkers(const Schema& schema);

} // namespace qw
