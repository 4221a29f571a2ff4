#include "schema/UpdateRecord.h"

#include "engine/PassServices.h"
#include "engine/ResultEditor.h"

namespace qw {

std::string UpdateRecord::forInsertedHeader(int line) {
    return "-" + std::to_string(line);
}

std::string UpdateRecord::forUpdatedHeader(int line, int labelEnd, int indent) {
    std::string out = "-" + std::to_string(line) + ",D" + std::to_string(labelEnd);
    if (indent > 0)
        out += ",I" + std::to_string(indent);
    return out;
}

// The line number of a record written by the header step, if it is one.
static std::optional<int> lineOf(std::string_view record) {
    std::size_t end = 1;
    while (end < record.size() && record[end] >= '0' && record[end] <= '9')
        ++end;
    if (record.empty() || record[0] != '-' || end == 1 || end - 1 > 9 ||
        (end < record.size() && record[end] != ','))
        return std::nullopt;
    return std::stoi(std::string(record.substr(1, end - 1)));
}

std::string UpdateRecord::movedBy(const std::string& record, const ResultEditor& editor) {
    const std::optional<int> line = lineOf(record);
    if (!line)
        return record;
    const std::optional<int> moved = editor.recordedMove(*line);
    if (!moved)
        return untracked();
    const std::size_t rest = record.find_first_not_of("0123456789", 1);
    return "-" + std::to_string(*moved) +
           (rest == std::string::npos ? std::string() : record.substr(rest));
}

bool UpdateRecord::sameLine(std::string_view a, std::string_view b) {
    const std::optional<int> x = lineOf(a);
    return x && x == lineOf(b);
}

std::optional<UpdateRecord> UpdateRecord::parse(std::string_view record, PassServices& pass) {
    if (record.size() <= 1)
        return std::nullopt;
    std::string_view rest = record.substr(1);
    UpdateRecord out;
    const std::size_t d = rest.find(",D");
    if (d != std::string_view::npos) {
        std::string_view label = rest.substr(d + 2);
        const std::size_t i = label.find(",I");
        if (i != std::string_view::npos) {
            out.indent = pass.strToIntOrAbort(label.substr(i + 2));
            label = label.substr(0, i);
        }
        out.labelEnd = pass.strToIntOrAbort(label);
        rest = rest.substr(0, d);
    }
    out.line = pass.strToIntOrAbort(rest);
    return out;
}

} // namespace qw
