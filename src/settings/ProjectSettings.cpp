#include "settings/ProjectSettings.h"

#include "platform/FolderPath.h"
#include "settings/SettingValues.h"
#include "text/Text.h"

namespace qw {
namespace {

enum class Name { Schema, Style, CrossReference, Coder };

struct NameWord {
    const char* word;
    Name name;
};

constexpr NameWord kNames[] = {
    {"schema", Name::Schema},       {"style", Name::Style},
    {"xref", Name::CrossReference}, {"cross-reference", Name::CrossReference},
    {"coder", Name::Coder},
};

std::optional<Name> nameOf(std::string_view word) {
    const std::string lower = toLower(word);
    for (const NameWord& n : kNames)
        if (lower == n.word)
            return n.name;
    return std::nullopt;
}

// Each line of the text without its line break (LF, CR LF or CR).
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        visit(text.substr(0, end), ++number);
        if (end == std::string_view::npos)
            break;
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        text.remove_prefix(end + breakLength);
    }
}

class Reader {
public:
    explicit Reader(const std::string& file) { settings_.file = file; }

    bool line(std::string_view text, int number) {
        const std::string_view content = trim(text);
        if (content.empty() || content.front() == '#' || content.front() == ';')
            return true;
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return fail(number, "expected 'name = value', found '" + std::string(content) + "'");
        const std::string_view word = trim(content.substr(0, equals));
        const std::string_view value = trim(content.substr(equals + 1));
        const std::optional<Name> name = nameOf(word);
        if (!name)
            return fail(number, "'" + std::string(word) + "' is no setting of a project file; " +
                                    "the names are " + projectSettingNames());
        if (value.empty())
            return fail(number, std::string(word) + " has no value");
        switch (*name) {
        case Name::Schema:
            return take(settings_.schema, schemaPath(value), number, word);
        case Name::Coder:
            return take(settings_.coderName, std::string(value), number, word);
        case Name::Style:
            if (const auto style = styleNamed(value))
                return take(settings_.style, *style, number, word);
            return badValue(number, word, value, "none, line, brace, paren or 0 to 3");
        case Name::CrossReference:
            if (const auto on = switchNamed(value))
                return take(settings_.crossReference, *on, number, word);
            return badValue(number, word, value, "on or off");
        }
        return true;
    }

    ProjectSettingsResult result() {
        ProjectSettingsResult r;
        if (error_.empty())
            r.settings = std::move(settings_);
        else
            r.error = std::move(error_);
        return r;
    }

private:
    template <typename T>
    bool take(std::optional<ProjectValue<T>>& slot, T value, int number, std::string_view word) {
        if (slot)
            return fail(number, std::string(word) + " is given twice (first on line " +
                                    std::to_string(slot->line) + ")");
        slot = ProjectValue<T>{std::move(value), number};
        return true;
    }

    bool badValue(int number, std::string_view word, std::string_view value, const char* allowed) {
        return fail(number, "'" + std::string(value) + "' is not a value for " + std::string(word) +
                                " (" + allowed + ")");
    }

    bool fail(int number, const std::string& what) {
        error_ = settings_.file + ":" + std::to_string(number) + ": " + what;
        return false;
    }

    // The schema is named relative to the folder of the project file, so that
    // the file means the same in every checkout.
    std::string schemaPath(std::string_view value) const {
        return resolvedAgainst(folderOf(settings_.file), value);
    }

    ProjectSettings settings_;
    std::string error_;
};

} // namespace

ProjectSettingsResult parseProjectSettings(const std::string& file, std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    Reader reader(file);
    bool ok = true;
    forEachLine(text, [&](std::string_view line, int number) {
        if (ok)
            ok = reader.line(line, number);
    });
    return reader.result();
}

const char* projectSettingNames() {
    return "schema, style, xref, coder";
}

} // namespace qw
