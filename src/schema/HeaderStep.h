#pragma once

#include <string>

#include "schema/Schema.h"
#include "schema/SchemaPlaceholders.h"
#include "schema/UpdateRecord.h"

namespace qw {

class Clock;
class HeaderHost;
class ResultEditor;
struct HeaderLayout;
struct RoutineHeading;

// How a routine ended: at the end of its body, whose checksum the pass kept,
// or at "forward" or "external", without a body.
struct RoutineEnd {
    bool hasBody = true;
    int bodyChecksum = 0;
};

// The header step of the commenting pass: at the end of a routine heading it
// expands the schema and inserts or updates the header above the heading;
// when the routine's frame closes it settles the update line.
class HeaderStep {
public:
    HeaderStep(const Schema& schema, std::string coderName, Clock* clock);

    // Returns the update record that the routine's frame carries to its end.
    // `pending` are the records of routines not yet closed; their lines follow
    // the edits.
    UpdateRecord placeHeader(const RoutineHeading& heading, HeaderHost& pass,
                             const PendingRecords& pending = {});
    // `record` is the one a closed routine frame carried; `pending` as above.
    void finishUpdate(const UpdateRecord& record, RoutineEnd end, HeaderHost& pass,
                      const PendingRecords& pending = {});
    // `record` belongs to a routine whose end the pass will not see: the file
    // ended first. `pending` as above.
    void settleUnfinished(const UpdateRecord& record, HeaderHost& pass,
                          const PendingRecords& pending = {});

private:
    void settle(const UpdateRecord& record, int checksum, HeaderHost& pass,
                const PendingRecords& pending);
    // Both return the update record of the placed header.
    UpdateRecord placeOrUpdate(HeaderHost& pass, const HeaderLayout& layout, int headingLine) const;
    UpdateRecord insertWhole(HeaderHost& pass, const HeaderLayout& layout, int headingLine) const;

    bool sharesHeadedLine(const RoutineHeading& heading, const ResultEditor& editor,
                          int headingLine) const;

    const Schema& schema_;
    const SchemaPlaceholders placeholders_;
    std::string coderName_;
    Clock* clock_;
    // The line that the last header placed stands above: the source line
    // read then and the heading line's distance from the end of the text,
    // which edits above it keep and every line read later adds one to.
    struct HeadedLine {
        int sourceLine = -1;
        int fromEnd = 0;
    };
    HeadedLine lastHeaded_;
};

} // namespace qw
