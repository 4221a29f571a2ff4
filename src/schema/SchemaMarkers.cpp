#include "schema/SchemaMarkers.h"

namespace qw {

Schema parseSchemaMarkers(std::vector<std::string> lines) {
    Schema schema;
    schema.fixed.reserve(lines.size());
    for (std::string& line : lines) {
        const char marker = line.empty() ? '\0' : line.front();
        schema.fixed.push_back(marker == 'x');
        if (marker == 'x' || marker == 'o')
            line.erase(0, 1);
    }
    // Every line keeps its flag: the table grows with the schema.
    schema.lines = std::move(lines);
    return schema;
}

std::vector<std::string> addSchemaMarkers(const Schema& schema) {
    std::vector<std::string> out;
    out.reserve(schema.lines.size());
    for (std::size_t i = 0; i < schema.lines.size(); ++i)
        out.push_back((schema.isFixed(i) ? "x" : "o") + schema.lines[i]);
    return out;
}

} // namespace qw
