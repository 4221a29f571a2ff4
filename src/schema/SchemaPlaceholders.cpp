#include "schema/SchemaPlaceholders.h"

#include <array>
#include <string>

namespace qw {
namespace {

constexpr std::array<std::string_view, 7> kNames{"%FuncName", "%Date",       "%Time",  "%Coder",
                                                 "%Result",   "%Parameters", "%Update"};

// A replacement changes the text behind a percent sign only where the next
// percent sign opened the replaced placeholder; the text between the two is
// then followed by the value. Only when that text is the beginning of a name
// can the value complete it.
bool beginsAName(std::string_view beforeNextPercent) {
    for (std::string_view name : kNames)
        if (beforeNextPercent.size() < name.size() && name.starts_with(beforeNextPercent))
            return true;
    return false;
}

SchemaPlaceholders::Line readLine(std::string_view text) {
    SchemaPlaceholders::Line line;
    for (std::size_t k = 0; k < kNames.size(); ++k)
        if (text.find(kNames[k]) != std::string_view::npos)
            line.held |= static_cast<std::uint8_t>(1u << k);
    for (std::size_t p = text.find('%'); p != std::string_view::npos;) {
        const std::size_t next = text.find('%', p + 1);
        if (next == std::string_view::npos)
            break;
        if (beginsAName(text.substr(p, next - p)))
            line.noNameToComplete = false;
        p = next;
    }
    return line;
}

} // namespace

std::string_view textOf(PlaceholderName name) {
    return kNames[static_cast<std::size_t>(name)];
}

SchemaPlaceholders::SchemaPlaceholders(const Schema& schema) {
    lines_.reserve(schema.lines.size());
    for (const std::string& text : schema.lines)
        lines_.push_back(readLine(text));
}

} // namespace qw
