#include "platform/MemorySettingsStore.h"

#include <algorithm>

#include "text/Text.h"

namespace qw {

bool MemorySettingsStore::CaseInsensitiveLess::operator()(std::string_view a,
                                                          std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(toLowerAscii(x)) <
               static_cast<unsigned char>(toLowerAscii(y));
    });
}

void MemorySettingsStore::put(std::string_view name, Value value) {
    auto it = values_.find(name);
    if (it == values_.end())
        values_.emplace(std::string(name), std::move(value));
    else
        it->second = std::move(value);
}

std::optional<MemorySettingsStore::Value> MemorySettingsStore::get(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

IoResult MemorySettingsStore::open() {
    ++opens;
    return IoResult::success();
}

std::optional<std::string> MemorySettingsStore::readString(std::string_view name) {
    auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<std::string>(it->second))
        return std::nullopt;
    return std::get<std::string>(it->second);
}

std::optional<std::int32_t> MemorySettingsStore::readInteger(std::string_view name) {
    auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<std::int32_t>(it->second))
        return std::nullopt;
    return std::get<std::int32_t>(it->second);
}

IoResult MemorySettingsStore::writeString(std::string_view name, std::string_view value) {
    ++writes;
    put(name, std::string(value));
    return IoResult::success();
}

IoResult MemorySettingsStore::writeInteger(std::string_view name, std::int32_t value) {
    ++writes;
    put(name, value);
    return IoResult::success();
}

IoResult MemorySettingsStore::close() {
    ++closes;
    return IoResult::success();
}

} // namespace qw
