#include "schema/HeaderStep.h"

#include "engine/PassServices.h"
#include "engine/PassState.h"
#include "schema/HeaderExpansion.h"
#include "schema/HeaderLayout.h"
#include "schema/HeaderMatching.h"
#include "schema/HeaderText.h"
#include "schema/HeaderUpdate.h"
#include "schema/HeadingLine.h"
#include "schema/UpdateRecord.h"
#include "schema/UpdateSettlement.h"
#include "schema/WholeHeader.h"

namespace qw {

HeaderStep::HeaderStep(const Schema& schema, std::string coderName, Clock* clock)
    : schema_(schema), coderName_(std::move(coderName)), clock_(clock) {}

// The last column of the update line's label: the indentation plus the
// column before "%Update%"; without that literal text no label is blanked.
static int labelEndColumn(const std::string& updateSchemaLine, int indent) {
    return indent + header_text::positionOf(updateSchemaLine, "%Update%") - 1;
}

void HeaderStep::placeHeader(PassServices& pass) {
    PassState& s = pass.state();
    const ExpandedHeader header =
        expandHeader(schema_, {s.routineName, s.resultType, s.paramText, coderName_}, clock_);
    const HeaderLayout layout{schema_, header, s.declColumn};

    HeaderMatch match = matchExistingHeader(pass.editor(), layout, findHeadingLine(pass.editor()));
    std::string record = UpdateRecord::untracked();
    if (match.insertWhole) {
        const int q = insertWholeHeader(pass, layout, match.headingLine);
        if (layout.trackedUpdate() >= 0 && q >= 0)
            record = UpdateRecord::forInsertedHeader(q);
    } else {
        const int q = updateHeaderInPlace(pass, layout, match);
        if (const int u = layout.trackedUpdate(); u >= 0)
            record = UpdateRecord::forUpdatedHeader(
                q, labelEndColumn(schema_.lines[static_cast<std::size_t>(u)], layout.indent),
                layout.indent);
    }
    s.frameStack.push_back(std::move(record));
    s.frameStack.push_back(s.routineName);
    s.frameStack.push_back(std::to_string(s.blockDepth));
}

// A routine that ends at "forward" or "external" has no body: its checksum is
// that of an empty body. The running checksum at that point covers whatever
// came before, its own header included, and would record a change on every
// run.
void HeaderStep::finishUpdate(const std::string& record, PassServices& pass) {
    const PassState& s = pass.state();
    const bool bodiless = s.tokenLower == "forward" || s.tokenLower == "external";
    settleUpdateLine(record, bodiless ? 0 : s.lineChecksum, pass);
}

} // namespace qw
