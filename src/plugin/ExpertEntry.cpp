// The library's entry point, its only exported symbol.

#include "plugin/ExpertLibrary.h"
#include "plugin/IdeInterfaces.h"

namespace qw::plugin {
namespace {

// The one state of the loaded library: made at the first call of the entry
// point, destroyed when the library is unloaded.
ExpertLibrary& library() {
    static ExpertLibrary instance;
    return instance;
}

} // namespace
} // namespace qw::plugin

extern "C" QW_EXPERT_EXPORT bool INITEXPERT0016(qw::ide::ToolServices* toolServices,
                                                QwExpertRegisterProc registerProc,
                                                QwExpertTerminateProc* terminate) {
    // Nothing may be thrown back into the IDE.
    try {
        return qw::plugin::library().initExpert(toolServices, registerProc, terminate);
    } catch (...) {
        return false;
    }
}
