#include "cli/SettingsCommand.h"

#include <charconv>
#include <optional>

#include "cli/ProjectSettingsLookup.h"
#include "cli/RunSettings.h"
#include "cli/UserSettings.h"
#include "platform/FileSystem.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "text/Text.h"

namespace qw::cli {
namespace {

namespace names = setting_names;

enum class ValueType { String, Style, Integer, Switch };

struct SettingName {
    const char* stored;
    const char* longName;
    ValueType type;
};

constexpr SettingName kSettings[] = {
    {names::kPath, "schema-directory", ValueType::String},
    {names::kName, "schema", ValueType::String},
    {names::kUser, "coder", ValueType::String},
    {names::kStyle, "style", ValueType::Style},
    {names::kShortcut, "hotkey", ValueType::Integer},
    {names::kCrossReference, "xref", ValueType::Switch},
};

const SettingName* settingNamed(const std::string& name) {
    const std::string lower = toLower(name);
    for (const SettingName& s : kSettings)
        if (lower == toLower(s.stored) || lower == s.longName)
            return &s;
    if (lower == "cross-reference")
        return &kSettings[5];
    return nullptr;
}

std::optional<std::int32_t> integerOf(const std::string& text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> styleOf(const std::string& text) {
    if (const auto style = styleNamed(text))
        return static_cast<std::int32_t>(*style);
    return std::nullopt;
}

std::optional<std::int32_t> switchOf(const std::string& text) {
    if (const auto on = switchNamed(text))
        return *on == CrossReference::On ? 1 : 0;
    return std::nullopt;
}

const char* styleText(int style) {
    switch (style) {
    case 0:
        return "<no comment>";
    case 1:
        return "// function";
    case 2:
        return "{ function }";
    case 3:
        return "(* function *)";
    }
    return "not a style";
}

// Ctrl+Alt+A for 49217: the key in the low byte, 8192 Shift, 16384 Ctrl, 32768 Alt.
std::string hotKeyText(std::int32_t code) {
    std::string text;
    if (code & 16384)
        text += "Ctrl+";
    if (code & 32768)
        text += "Alt+";
    if (code & 8192)
        text += "Shift+";
    const int key = code & 0xFF;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        text += static_cast<char>(key);
    else
        text += "key " + std::to_string(key);
    return text;
}

} // namespace

const char* settingNamesHelp() {
    return "schema-directory (Path), schema (Name), coder (User), style (Style: 0-3 or "
           "none/line/brace/paren), hotkey (SCut), xref (CRef: on/off)";
}

ExitStatus showSettings(FileSystem& fs, std::ostream& out, std::ostream& err) {
    UserSettings user = openUserSettings(fs);
    const LoadedSettings loaded = loadSettings(*user.store, user.user);
    if (!loaded.store) {
        err << "quillwright: error: cannot read the settings in '" << user.location
            << "': " << loaded.store.error << "\n";
        return ExitStatus::Failed;
    }
    ProjectSettingsLookup projects(fs, user.user.home);
    const int index = projects.indexForFolder(user.user.currentDirectory);
    if (projects.failed()) {
        err << "quillwright: error: " << projects.error() << "\n";
        return projects.status();
    }
    const ProjectSettings* project = index == kNoProjectSettings
                                         ? nullptr
                                         : &projects.settings()[static_cast<std::size_t>(index)];

    const Settings& s = loaded.settings;
    auto origin = [&](const char* name) -> std::string {
        return loaded.isStored(name) ? "stored" : "default";
    };
    auto fromProject = [](int line) {
        return "project file, line " + std::to_string(line);
    };
    auto row = [&](const char* name, const std::string& value, const std::string& from) {
        std::string line =
            std::string(name) + std::string(7 - std::string(name).size(), ' ') + value;
        line += std::string(line.size() < 40 ? 40 - line.size() : 1, ' ') + from;
        out << line << "\n";
    };
    out << "Settings: " << user.location << "\n";
    out << "Project: " << (project ? project->file : std::string("none")) << "\n";
    row(names::kPath, s.schemaDirectory, origin(names::kPath));
    row(names::kName, s.schemaName, origin(names::kName));
    if (project && project->coderName) {
        row(names::kUser, project->coderName->value, fromProject(project->coderName->line));
    } else {
        const bool logon = !user.user.logonName.empty();
        row(names::kUser, s.coderName, logon ? "logon name" : origin(names::kUser));
    }
    if (project && project->style) {
        const int style = static_cast<int>(project->style->value);
        row(names::kStyle, std::to_string(style) + " " + styleText(style),
            fromProject(project->style->line));
    } else {
        row(names::kStyle, std::to_string(s.endCommentStyle) + " " + styleText(s.endCommentStyle),
            origin(names::kStyle));
    }
    row(names::kShortcut, std::to_string(s.commentHotKey) + " " + hotKeyText(s.commentHotKey),
        origin(names::kShortcut));
    const auto xref = [](CrossReference on) {
        return on == CrossReference::On ? "1 on" : "0 off";
    };
    if (project && project->crossReference)
        row(names::kCrossReference, xref(project->crossReference->value),
            fromProject(project->crossReference->line));
    else
        row(names::kCrossReference, xref(s.crossReference), origin(names::kCrossReference));
    std::string error;
    if (const auto schema = schemaFileFor(fs, std::nullopt, project, loaded, error)) {
        out << "Schema: " << *schema;
        if (project && project->schema)
            out << " (project file, line " << project->schema->line << ")";
        else if (!loaded.isStored(names::kName))
            out << " (bundled; no schema name is stored)";
        if (!fs.isFile(*schema))
            out << " (cannot be read)";
        out << "\n";
    } else {
        out << "Schema: none (" << error << ")\n";
    }
    return ExitStatus::Success;
}

ExitStatus setSetting(FileSystem& fs, const std::string& name, const std::string& value,
                      std::ostream& err) {
    const SettingName* setting = settingNamed(name);
    if (!setting) {
        err << "quillwright: error: no setting '" << name << "'; the names are "
            << settingNamesHelp() << "\n";
        return ExitStatus::Usage;
    }
    std::optional<std::int32_t> number;
    switch (setting->type) {
    case ValueType::String:
        break;
    case ValueType::Style:
        number = styleOf(value);
        break;
    case ValueType::Integer:
        number = integerOf(value);
        break;
    case ValueType::Switch:
        number = switchOf(value);
        break;
    }
    if (setting->type != ValueType::String && !number) {
        err << "quillwright: error: '" << value << "' is not a value for " << setting->stored
            << "\n";
        return ExitStatus::Usage;
    }

    UserSettings user = openUserSettings(fs);
    IoResult r = user.store->open();
    if (r) {
        r = number ? user.store->writeInteger(setting->stored, *number)
                   : user.store->writeString(setting->stored, value);
        const IoResult closed = user.store->close();
        if (r)
            r = closed;
    }
    if (!r) {
        err << "quillwright: error: cannot write the settings in '" << user.location
            << "': " << r.error << "\n";
        return ExitStatus::Failed;
    }
    return ExitStatus::Success;
}

} // namespace qw::cli
