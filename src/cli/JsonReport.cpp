#include "cli/JsonReport.h"

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

json fileJson(const FileReport& r) {
    json messages = json::array();
    for (const AnsweredMessage& m : r.messages)
        messages.push_back({{"kind", dialogTitle(m.message.kind)},
                            {"text", m.message.text},
                            {"line", m.message.lineNo},
                            {"buttons", buttonsJson(m.message.buttons)},
                            {"answer", buttonName(m.answer)}});
    json marks = json::array();
    for (const CommentMark& m : r.marks)
        marks.push_back({{"line", m.line}, {"column", m.column}, {"length", m.length}});
    json f = {{"file", r.file},       {"count", r.count},     {"aborted", r.aborted},
              {"changed", r.changed}, {"written", r.written}, {"messages", messages},
              {"queued", r.queued},   {"marks", marks}};
    if (!r.error.empty())
        f["error"] = r.error;
    return f;
}

} // namespace

std::string jsonReport(const std::string& command, const std::vector<FileReport>& reports) {
    json files = json::array();
    for (const FileReport& r : reports)
        files.push_back(fileJson(r));
    json doc = {{"command", command}, {"files", files}};
    return doc.dump(2, ' ', false, kBytes) + "\n";
}

} // namespace qw::cli
