#pragma once

#include "plugin/IdeInterfaces.h"
#include "plugin/TInterface.h"

namespace qw::plugin {

// An expert as the library implements it: counted as every object it hands
// to the IDE, with the ten expert operations still to be given.
class TIExpert : public TInterface<ide::Expert> {};

} // namespace qw::plugin
