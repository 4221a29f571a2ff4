#pragma once

namespace qw {

// Whether a commenting pass writes the cross-reference at the top of the unit.
enum class CrossReference { Off, On };

} // namespace qw
