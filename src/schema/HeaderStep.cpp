#include "schema/HeaderStep.h"

#include "engine/PassServices.h"
#include "engine/PassState.h"

namespace qw {

HeaderStep::HeaderStep(const Schema& schema, std::string coderName, Clock* clock)
    : schema_(schema), coderName_(std::move(coderName)), clock_(clock) {}

void HeaderStep::placeHeader(PassServices& pass) {
    PassState& s = pass.state();
    s.frameStack.push_back("-");
    s.frameStack.push_back(s.routineName);
    s.frameStack.push_back(std::to_string(s.blockDepth));
}

void HeaderStep::finishUpdate(const std::string& record, PassServices& pass) {
    (void)record;
    (void)pass;
}

} // namespace qw
