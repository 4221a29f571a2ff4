#include "schema/SchemaPlaceholders.h"

#include <array>

#include "schema/Placeholder.h"

namespace qw {
namespace {

constexpr std::array<std::string_view, 7> kNames{"%FuncName", "%Date",       "%Time",  "%Coder",
                                                 "%Result",   "%Parameters", "%Update"};

// The placeholder whose name begins at `at`, if any.
std::optional<PlaceholderName> nameAt(std::string_view text, std::size_t at) {
    for (std::size_t k = 0; k < kNames.size(); ++k)
        if (text.substr(at).starts_with(kNames[k]))
            return static_cast<PlaceholderName>(k);
    return std::nullopt;
}

// A replacement changes the text behind a percent sign only where the next
// percent sign opened the replaced placeholder; the text between the two is
// then followed by the value. Returns the characters with which a value would
// complete a name that this text begins.
std::string completingCharacters(std::string_view beforeNextPercent) {
    std::string completing;
    for (std::string_view name : kNames)
        if (beforeNextPercent.size() < name.size() && name.starts_with(beforeNextPercent))
            completing += name[beforeNextPercent.size()];
    return completing;
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    SchemaPlaceholders::Line read() {
        readTokens();
        for (std::size_t p = text_.find('%'); p != std::string_view::npos;) {
            const std::size_t next = text_.find('%', p + 1);
            if (next == std::string_view::npos)
                break;
            if (!tokenAt(p))
                readOpenName(text_.substr(p, next - p), next);
            p = next;
        }
        return line_;
    }

private:
    void readTokens() {
        for (std::size_t p = text_.find('%'); p != std::string_view::npos;
             p = text_.find('%', p + 1)) {
            const auto name = nameAt(text_, p);
            if (!name)
                continue;
            const auto token = findPlaceholder(text_, textOf(*name), p);
            line_.tokens.push_back({*name, token->start, token->length, token->width});
            line_.held |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(*name));
        }
        // A placeholder closed by the percent sign that opens the next one
        // takes that one with it, and which goes first decides the text.
        for (const auto& token : line_.tokens) {
            const std::size_t last = token.start + token.length - 1;
            if (last >= token.start + textOf(token.name).size() && tokenAt(last))
                line_.sideBySide = false;
        }
    }

    void readOpenName(std::string_view beforeNext, std::size_t next) {
        std::string completing = completingCharacters(beforeNext);
        if (completing.empty())
            return;
        line_.noNameToComplete = false;
        const auto following = tokenAt(next);
        if (!following)
            return; // a percent sign that stays ends every name begun in front of it
        if (line_.tokens[*following].name == PlaceholderName::Parameters)
            line_.sideBySide = false; // its value may be laid out over several lines
        line_.openNames.push_back({*following, std::move(completing)});
    }

    std::optional<std::size_t> tokenAt(std::size_t at) const {
        for (std::size_t k = 0; k < line_.tokens.size(); ++k)
            if (line_.tokens[k].start == at)
                return k;
        return std::nullopt;
    }

    std::string_view text_;
    SchemaPlaceholders::Line line_;
};

} // namespace

std::string_view textOf(PlaceholderName name) {
    return kNames[static_cast<std::size_t>(name)];
}

SchemaPlaceholders::SchemaPlaceholders(const Schema& schema) {
    lines_.reserve(schema.lines.size());
    for (const std::string& text : schema.lines)
        lines_.push_back(LineReader(text).read());
}

} // namespace qw
