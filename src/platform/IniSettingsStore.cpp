#include "platform/IniSettingsStore.h"

#include <cstdint>
#include <cstdio>

#include "text/Text.h"

namespace qw {
namespace {

constexpr std::string_view kSection = "Quillwright";
constexpr const char* kNoPlace = "no place for the settings file: the user has no home folder";

bool sameName(std::string_view a, std::string_view b) {
    return toLower(a) == toLower(b);
}

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isHeading(std::string_view t) {
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

bool isOwnHeading(std::string_view t) {
    return isHeading(t) && sameName(trim(t.substr(1, t.size() - 2)), kSection);
}

bool isComment(std::string_view t) {
    return t.empty() || t.front() == ';' || t.front() == '#';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text between the quotes with its escapes resolved; false when an escape
// is malformed, and the value is then taken as it stands.
bool unescape(std::string_view inner, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < inner.size(); ++i) {
        char c = inner[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= inner.size())
            return false;
        switch (inner[i]) {
        case '\\':
        case '"':
            out += inner[i];
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x': {
            if (i + 2 >= inner.size())
                return false;
            const int high = hexDigit(inner[i + 1]);
            const int low = hexDigit(inner[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

void decode(std::string_view text, std::string& value, bool& quoted) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
        unescape(text.substr(1, text.size() - 2), value)) {
        quoted = true;
        return;
    }
    value = std::string(text);
    quoted = false;
}

bool needsQuotes(std::string_view value) {
    if (value.empty())
        return false;
    if (isBlank(value.front()) || isBlank(value.back()) || value.front() == '"')
        return true;
    for (char c : value)
        if (isControl(c))
            return true;
    return false;
}

std::string encode(std::string_view value) {
    if (!needsQuotes(value))
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (isControl(c)) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
                out += hex;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A decimal number in the range of a 32-bit value, signed or not; one above
// the signed range comes back with the same bits, as a DWORD read as Integer.
std::optional<std::int32_t> parseInteger(std::string_view t) {
    const bool negative = !t.empty() && t.front() == '-';
    std::size_t i = (!t.empty() && (t.front() == '-' || t.front() == '+')) ? 1 : 0;
    if (i == t.size())
        return std::nullopt;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return std::nullopt;
        v = v * 10 + (t[i] - '0');
        if (v > 0xFFFFFFFFll)
            return std::nullopt;
    }
    if (negative) {
        v = -v;
        if (v < INT32_MIN)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::string folderOf(const std::string& path) {
    const auto last = path.find_last_of("/\\");
    if (last == std::string::npos)
        return {};
    return last == 0 ? path.substr(0, 1) : path.substr(0, last);
}

IoResult cannot(const char* what, const std::string& path, const std::string& why) {
    return IoResult::failure("cannot " + std::string(what) + " " + path + ": " + why);
}

} // namespace

IniSettingsStore::IniSettingsStore(FileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)) {}

IoResult IniSettingsStore::open() {
    lines_.clear();
    changed_ = false;
    if (path_.empty())
        return IoResult::failure(kNoPlace);
    if (!fs_.isFile(path_)) {
        if (fs_.isDirectory(path_))
            return cannot("read", path_, "is a directory");
        return IoResult::success();
    }
    std::string bytes;
    if (IoResult read = fs_.readFile(path_, bytes); !read)
        return cannot("read", path_, read.error);
    parse(bytes);
    return IoResult::success();
}

void IniSettingsStore::parse(std::string_view bytes) {
    bool inSection = true; // values above any heading count as the store's own
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view raw = bytes.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        start = end + 1;

        Line line{std::string(raw)};
        const std::string_view t = trim(raw);
        if (isHeading(t)) {
            inSection = isOwnHeading(t);
        } else if (inSection && !isComment(t)) {
            const auto eq = t.find('=');
            const std::string_view name = eq == std::string_view::npos ? t : trim(t.substr(0, eq));
            if (eq != std::string_view::npos && !name.empty()) {
                line.name = std::string(name);
                decode(trim(t.substr(eq + 1)), line.value, line.quoted);
            }
        }
        lines_.push_back(std::move(line));
    }
}

const IniSettingsStore::Line* IniSettingsStore::find(std::string_view name) const {
    for (const auto& line : lines_)
        if (!line.name.empty() && sameName(line.name, name))
            return &line;
    return nullptr;
}

std::optional<std::string> IniSettingsStore::readString(std::string_view name) {
    const Line* line = find(name);
    if (!line)
        return std::nullopt;
    return line->value;
}

std::optional<std::int32_t> IniSettingsStore::readInteger(std::string_view name) {
    const Line* line = find(name);
    if (!line || line->quoted)
        return std::nullopt;
    return parseInteger(line->value);
}

void IniSettingsStore::put(std::string_view name, std::string value, std::string text,
                           bool quoted) {
    changed_ = true;
    for (auto& line : lines_)
        if (!line.name.empty() && sameName(line.name, name)) {
            line = Line{line.name + "=" + text, line.name, std::move(value), quoted};
            return;
        }
    const std::size_t at = insertionPoint();
    lines_.insert(
        lines_.begin() + static_cast<std::ptrdiff_t>(at),
        Line{std::string(name) + "=" + text, std::string(name), std::move(value), quoted});
}

// Behind the last value (or the heading) of the store's section; a file
// without one gets the section at its end.
std::size_t IniSettingsStore::insertionPoint() {
    std::size_t after = 0;
    bool inSection = true;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view t = trim(lines_[i].text);
        if (isHeading(t))
            inSection = isOwnHeading(t);
        if (inSection && (isOwnHeading(t) || !lines_[i].name.empty()))
            after = i + 1;
    }
    if (after > 0)
        return after;
    if (lines_.empty())
        lines_.push_back({"; Quillwright settings"});
    lines_.push_back({"[" + std::string(kSection) + "]"});
    return lines_.size();
}

IoResult IniSettingsStore::writeString(std::string_view name, std::string_view value) {
    put(name, std::string(value), encode(value), needsQuotes(value));
    return IoResult::success();
}

IoResult IniSettingsStore::writeInteger(std::string_view name, std::int32_t value) {
    const std::string text = std::to_string(value);
    put(name, text, text, false);
    return IoResult::success();
}

std::string IniSettingsStore::render() const {
    std::string out;
    for (const auto& line : lines_)
        out += line.text + "\n";
    return out;
}

IoResult IniSettingsStore::makeFolders(const std::string& folder) {
    if (folder.empty() || fs_.isDirectory(folder))
        return IoResult::success();
    const std::string parent = folderOf(folder);
    if (parent != folder)
        if (IoResult made = makeFolders(parent); !made)
            return made;
    return fs_.createDirectory(folder);
}

IoResult IniSettingsStore::close() {
    if (!changed_)
        return IoResult::success();
    if (path_.empty())
        return IoResult::failure(kNoPlace);
    if (IoResult made = makeFolders(folderOf(path_)); !made)
        return cannot("write", path_, made.error);
    const std::string temporary = temporaryNameBeside(fs_, path_);
    if (temporary.empty())
        return cannot("write", path_, "no free name for a temporary file beside it");
    if (IoResult written = fs_.writeFile(temporary, render()); !written) {
        (void)fs_.removeFile(temporary);
        return cannot("write", path_, written.error);
    }
    if (IoResult placed = fs_.renameFile(temporary, path_); !placed) {
        (void)fs_.removeFile(temporary);
        return cannot("write", path_, placed.error);
    }
    changed_ = false;
    return IoResult::success();
}

} // namespace qw
