#pragma once

namespace qw {

// Style of the comments behind begin and end; the values are the stored ones.
enum class EndCommentStyle { None = 0, Line = 1, Brace = 2, Paren = 3 };

} // namespace qw
