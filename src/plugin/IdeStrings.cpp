#include "plugin/IdeStrings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace qw::plugin {
namespace {

constexpr std::int32_t kFirstBufferSize = 260;
// Longer than any path a file system takes; an IDE that asks for more is
// not believed.
constexpr std::int32_t kLargestBufferSize = 1 << 20;

} // namespace

std::int32_t copyToBuffer(std::string_view text, char* buffer, std::int32_t size) {
    constexpr std::size_t kMaxLength = std::numeric_limits<std::int32_t>::max();
    const auto length = static_cast<std::int32_t>(std::min(text.size(), kMaxLength));
    if (buffer && size > 0) {
        const auto copied = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return length;
}

std::string currentFileOf(ide::ToolServices& tools) {
    std::vector<char> buffer(kFirstBufferSize);
    for (;;) {
        const auto size = static_cast<std::int32_t>(buffer.size());
        buffer.front() = '\0';
        const std::int32_t length = tools.GetCurrentFile(buffer.data(), size);
        if (length < 0)
            return {};
        if (length < size) {
            // Up to the NUL the IDE wrote, and never past the buffer.
            buffer.back() = '\0';
            const std::size_t written = std::strlen(buffer.data());
            return std::string(buffer.data(), std::min(written, static_cast<std::size_t>(length)));
        }
        if (length >= kLargestBufferSize)
            return {};
        buffer.resize(static_cast<std::size_t>(length) + 1);
    }
}

} // namespace qw::plugin
