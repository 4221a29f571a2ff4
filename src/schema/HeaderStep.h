#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "schema/Schema.h"

namespace qw {

class Clock;
class PassServices;
struct HeaderLayout;

// The header step of the commenting pass: at the end of a routine heading it
// expands the schema, inserts or updates the header above the heading and
// pushes the routine's frame; when that frame closes it settles the update
// line.
class HeaderStep {
public:
    HeaderStep(const Schema& schema, std::string coderName, Clock* clock);

    // Reads RoutineName, ParamText, ResultType, DeclColumn and BlockDepth of
    // the pass state; pushes (update record, name, depth) onto FrameStack.
    // `pendingRecords` are the places in FrameStack of the update records of
    // routines not yet closed; their line numbers follow the edits.
    void placeHeader(PassServices& pass, const std::vector<std::size_t>& pendingRecords = {});
    // `record` is the update record found under a closed routine frame;
    // `pendingRecords` as above.
    void finishUpdate(const std::string& record, PassServices& pass,
                      const std::vector<std::size_t>& pendingRecords = {});
    // `record` belongs to a routine whose end the pass will not see: its
    // frame was given up, or the file ended first. `pendingRecords` as above.
    void settleUnfinished(const std::string& record, PassServices& pass,
                          const std::vector<std::size_t>& pendingRecords);

private:
    void settle(const std::string& record, int checksum, PassServices& pass,
                const std::vector<std::size_t>& pendingRecords);
    // Both return the update record of the placed header.
    std::string placeOrUpdate(PassServices& pass, const HeaderLayout& layout,
                              int headingLine) const;
    std::string insertWhole(PassServices& pass, const HeaderLayout& layout, int headingLine) const;

    const Schema& schema_;
    std::string coderName_;
    Clock* clock_;
};

} // namespace qw
