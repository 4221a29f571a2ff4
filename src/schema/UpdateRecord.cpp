#include "schema/UpdateRecord.h"

#include "engine/PassServices.h"

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
