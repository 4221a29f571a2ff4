#pragma once

#include <string>

#include "schema/HeaderExpansion.h"
#include "schema/Schema.h"

namespace qw {

// What the placement of one routine's header works from: the schema, its
// expansion for this routine and the heading's column.
struct HeaderLayout {
    const Schema& schema;
    const ExpandedHeader& header;
    int indent = 0; // DeclColumn: the header stands at the heading's column

    // The update line that is tracked: the one whose %Update was replaced,
    // unless it is the schema's first line (such a header keeps no history).
    int trackedUpdate() const {
        return header.updateSchemaIndex >= 1 ? header.updateSchemaIndex : -1;
    }
    std::string indented(const std::string& headerLine) const {
        return std::string(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ') + headerLine;
    }
};

} // namespace qw
