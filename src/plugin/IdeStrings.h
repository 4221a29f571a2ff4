#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/IdeInterfaces.h"

namespace qw::plugin {

// A string result of the library into the caller's buffer: at most size - 1
// bytes and a NUL (nothing when the buffer is null or empty); returns the full
// length of `text`.
std::int32_t copyToBuffer(std::string_view text, char* buffer, std::int32_t size);

// The full path of the file that has the focus in the IDE's editor; empty
// when the IDE gives none.
std::string currentFileOf(ide::ToolServices& tools);

} // namespace qw::plugin
