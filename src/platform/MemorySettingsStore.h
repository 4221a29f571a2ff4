#pragma once

#include <map>
#include <variant>

#include "platform/SettingsStore.h"

namespace qw {

// Settings held in memory, for tests and for runs that must not touch the
// user's own store. Counts its sessions, so that a caller can see how often
// the store was read and written.
class MemorySettingsStore final : public SettingsStore {
public:
    using Value = std::variant<std::string, std::int32_t>;

    // Puts a value of either type in directly, as another program might.
    void put(std::string_view name, Value value);
    std::optional<Value> get(std::string_view name) const;
    std::size_t size() const { return values_.size(); }

    IoResult open() override;
    std::optional<std::string> readString(std::string_view name) override;
    std::optional<std::int32_t> readInteger(std::string_view name) override;
    IoResult writeString(std::string_view name, std::string_view value) override;
    IoResult writeInteger(std::string_view name, std::int32_t value) override;
    IoResult close() override;

    int opens = 0;
    int closes = 0;
    int writes = 0;

private:
    struct CaseInsensitiveLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, Value, CaseInsensitiveLess> values_;
};

} // namespace qw
