#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qw {

// A per-user store of named values, each a string or a 32-bit integer. Used
// as a session: open() (which makes the store when it is missing, or reads it
// in), reads and writes, then close(), after which the writes last. Value
// names are compared without regard to letter case, as the registry does.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual IoResult open() = 0;
    // Empty when the value is missing or holds the other type.
    virtual std::optional<std::string> readString(std::string_view name) = 0;
    virtual std::optional<std::int32_t> readInteger(std::string_view name) = 0;
    virtual IoResult writeString(std::string_view name, std::string_view value) = 0;
    virtual IoResult writeInteger(std::string_view name, std::int32_t value) = 0;
    virtual IoResult close() = 0;
};

} // namespace qw
