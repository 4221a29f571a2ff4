#pragma once

#include <string>
#include <string_view>

namespace qw::messages {

// The engine's message texts, exactly as the user sees them.
inline constexpr std::string_view kCannotProcessFile =
    "Could not process file %s.\r\nThis file will be skipped.";
inline constexpr std::string_view kStringExceedsLine =
    "Error: String exceeds line in source file %s at line %d.";
inline constexpr std::string_view kInternalErrorAt = "Internal error at ";
inline constexpr std::string_view kPleaseContact = "\r\nPlease contact the author.";
inline constexpr std::string_view kDeclStackOverflow =
    "Declaration type stack overflow.\rPlease contact the author.";
inline constexpr std::string_view kDeclStackEmpty =
    "Declaration stack empty!\rPlease contact the author";
inline constexpr std::string_view kErrorDeletingFrame =
    "Error deleting a frame.\r\nYou may abort the process.";

// Fills "%s" with `file` and "%d" with `line`.
std::string format(std::string_view text, std::string_view file, int line = 0);

} // namespace qw::messages
