#include "cli/JsonReport.h"

#include <sstream>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qw::cli {
namespace {

using nlohmann::json;

// File names and message texts are bytes; invalid UTF-8 must not stop the
// report, so such bytes are replaced in the JSON text only.
constexpr auto kBytes = json::error_handler_t::replace;

json buttonsJson(const std::vector<Button>& buttons) {
    json a = json::array();
    for (Button b : buttons)
        a.push_back(buttonName(b));
    return a;
}

json messagesJson(const std::vector<AnsweredMessage>& answered, bool withFile) {
    json messages = json::array();
    for (const AnsweredMessage& m : answered) {
        json one = {{"kind", dialogTitle(m.message.kind)},
                    {"text", m.message.text},
                    {"line", m.message.lineNo},
                    {"buttons", buttonsJson(m.message.buttons)},
                    {"answer", buttonName(m.answer)}};
        if (withFile)
            one["file"] = m.message.fileName;
        messages.push_back(std::move(one));
    }
    return messages;
}

const char* walkEndName(WalkEnd end) {
    switch (end) {
    case WalkEnd::Finished:
        return "finished";
    case WalkEnd::Aborted:
        return "aborted";
    case WalkEnd::SaveFailed:
        return "save failed";
    case WalkEnd::NotAProjectFile:
        return "not a project file";
    case WalkEnd::Refused:
        return "refused";
    }
    return "";
}

// Without its marks: a file may have hundreds of thousands of them, which
// markedFileText writes directly.
json fileJson(const FileReport& r) {
    json messages = messagesJson(r.messages, false);
    json f = {{"file", r.file},       {"count", r.count},     {"aborted", r.aborted},
              {"changed", r.changed}, {"written", r.written}, {"messages", messages},
              {"queued", r.queued}};
    if (!r.error.empty())
        f["error"] = r.error;
    return f;
}

// The element of one file as the whole document prints it (indented as if
// it stood alone): its members in the order of their names, "marks" between
// "file" and "messages".
std::string markedFileText(const FileReport& r) {
    std::string text = fileJson(r).dump(2, ' ', false, kBytes);
    std::string marks = "\n  \"marks\": [";
    for (std::size_t i = 0; i < r.marks.size(); ++i) {
        const CommentMark& m = r.marks[i];
        marks += i == 0 ? "\n    {\n      \"column\": " : ",\n    {\n      \"column\": ";
        marks += std::to_string(m.column);
        marks += ",\n      \"length\": ";
        marks += std::to_string(m.length);
        marks += ",\n      \"line\": ";
        marks += std::to_string(m.line);
        marks += "\n    }";
    }
    marks += r.marks.empty() ? "]," : "\n  ],";
    // A member name begins a line of its own; no string value holds a line break.
    text.insert(text.find("\n  \"messages\": "), marks);
    return text;
}

} // namespace

std::string jsonProjectReport(const std::string& projectFile, const WalkOutcome& outcome,
                              Writes writes) {
    json files = json::array();
    for (const WalkEntry& e : outcome.entries)
        files.push_back(
            {{"file", e.name}, {"path", e.path}, {"count", e.count}, {"written", e.written}});
    json doc = {{"command", "project"},
                {"project", projectFile},
                {"dryRun", writes == Writes::No},
                {"end", walkEndName(outcome.end)},
                {"files", files},
                {"messages", messagesJson(outcome.messages, true)},
                {"errors", outcome.errors}};
    return doc.dump(2, ' ', false, kBytes) + "\n";
}

// The members of the document come in the order of their names, as the
// whole document would print them: "command", then "files".
JsonReportWriter::JsonReportWriter(std::ostream& out, const std::string& command) : out_(out) {
    out_ << "{\n  \"command\": " << json(command).dump(2, ' ', false, kBytes)
         << ",\n  \"files\": [";
}

void JsonReportWriter::add(const FileReport& report) {
    // One element of "files", indented by its depth in the document.
    const std::string element = markedFileText(report);
    out_ << (anyFile_ ? ",\n    " : "\n    ");
    std::size_t start = 0;
    for (std::size_t nl = element.find('\n'); nl != std::string::npos;
         start = nl + 1, nl = element.find('\n', start))
        out_.write(element.data() + start, static_cast<std::streamsize>(nl + 1 - start)) << "    ";
    out_ << std::string_view(element).substr(start);
    anyFile_ = true;
}

void JsonReportWriter::finish() {
    out_ << (anyFile_ ? "\n  ]\n}\n" : "]\n}\n");
}

std::string jsonReport(const std::string& command, const std::vector<FileReport>& reports) {
    std::ostringstream out;
    JsonReportWriter writer(out, command);
    for (const FileReport& r : reports)
        writer.add(r);
    writer.finish();
    return out.str();
}

} // namespace qw::cli
