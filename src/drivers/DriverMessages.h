#pragma once

#include <string_view>

namespace qw::driver_messages {

// The drivers' questions and warnings, exactly as the user sees them. Shells
// that answer without a dialog (the command-line tool) recognise them by
// their MessageId.

// After an aborted pass (confirmation, Yes and No).
inline constexpr std::string_view kAbortedSeeResults =
    "Process was aborted. Do you\r\nwant to see the results though?";
// After a comment run that inserted nothing (confirmation, Yes and No).
inline constexpr std::string_view kNothingGenerated =
    "No (new) comments were\r\ngenerated for this file.\r\n\r\nDo you want to see it though?";
// After a clean run that removed nothing (confirmation, Yes and No).
inline constexpr std::string_view kNothingRemoved =
    "No comments were\r\nremoved in this file.\r\n\r\nDo you want to see it though?";
// A project walk started on a file that is not a "*.dpr" (warning, Abort only).
inline constexpr std::string_view kNotAProjectFile =
    "This file is not a project file!\rPlease select a file with extension \".dpr\".";

} // namespace qw::driver_messages
