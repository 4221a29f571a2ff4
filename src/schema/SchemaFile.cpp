#include "schema/SchemaFile.h"

#include "schema/SchemaMarkers.h"

namespace qw {

std::vector<std::string> splitSchemaLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

Schema loadSchema(std::string_view bytes) {
    return parseSchemaMarkers(splitSchemaLines(bytes));
}

std::string schemaFileText(const Schema& schema) {
    std::string out;
    for (const std::string& line : addSchemaMarkers(schema)) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace qw
