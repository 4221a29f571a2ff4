#pragma once

namespace qw {

// What a user chooses for the commenting pass and the settings keep.

// Style of the comments behind begin and end; the values are the stored ones.
enum class EndCommentStyle { None = 0, Line = 1, Brace = 2, Paren = 3 };

// Whether the pass writes the cross-reference.
enum class CrossReference { Off, On };

} // namespace qw
