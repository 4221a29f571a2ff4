#pragma once

#include <string>
#include <vector>

#include "schema/Schema.h"

namespace qw {

class Clock;
class SchemaPlaceholders;

// What a routine heading gives the placeholders.
struct HeadingValues {
    std::string routineName; // %FuncName
    std::string resultType;  // %Result ("-" for none)
    std::string paramText;   // %Parameters: groups separated by CR ("-" for none)
    std::string coderName;   // %Coder
};

// One routine's header, without indentation, top-down, and where its update
// line came from.
struct ExpandedHeader {
    std::vector<std::string> lines;
    int updateSchemaIndex = -1; // schema line whose %Update was replaced (the last such)
    int updateHeaderIndex = -1; // index in `lines` of that line's expansion
    // For every schema line, the index in `lines` of its first expanded line.
    std::vector<int> schemaLineStart;

    // How many continuation lines the schema line's value of several lines added.
    int continuationLines(std::size_t schemaIndex) const;
};

// Expands every schema line: %FuncName, %Date, %Time, %Coder, %Result,
// %Parameters and %Update in this order, each everywhere in the line before
// the next. %Crc and "%%" stay. The clock is read for each line that asks for
// the date or the time; without a clock they are empty.
//
// A line whose %Parameters value has several lines becomes a block of lines.
// A line that holds %Parameters is never the update line, whatever the number
// of parameter groups: older update lines under it would look like the
// continuation lines of a block and be removed by the next run, and a block
// cannot be recorded line by line. Its %Update is removed (it stands for the
// empty text) before the parameters are put in, and the update indexes stay
// as they were.
ExpandedHeader expandHeader(const Schema& schema, const HeadingValues& values, Clock* clock);
// The same with the placeholders of the schema's lines read beforehand.
ExpandedHeader expandHeader(const Schema& schema, const SchemaPlaceholders& placeholders,
                            const HeadingValues& values, Clock* clock);

} // namespace qw
