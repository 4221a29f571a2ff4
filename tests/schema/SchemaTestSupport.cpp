#include "SchemaTestSupport.h"

#include <charconv>

#include "schema/SchemaFile.h"
#include "schema/SchemaMarkers.h"

namespace qw::test {

Schema schemaOf(std::vector<std::string> markedLines) {
    return parseSchemaMarkers(std::move(markedLines));
}

Schema shippedSchema(const std::string& fileName) {
    return loadSchema(readTextFile(std::string(QW_SOURCE_DIR) + "/schemas/" + fileName));
}

PassResult commentWith(const Schema& schema, const std::string& input, Clock* clock,
                       EndCommentStyle style) {
    FixedClock fixed;
    PassOptions options;
    options.schema = schema;
    options.coderName = "Ann";
    options.clock = clock ? clock : &fixed;
    options.style = style;
    return runPass(input, options);
}

void FakePassServices::markCommentLines(int from, int to) {
    ++commentCount;
    editor_.markLines(from, to);
}

void FakePassServices::markComment(int line, int column, int length) {
    ++commentCount;
    editor_.mark(line, column, length);
}

int FakePassServices::strToIntOrAbort(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        badNumbers.emplace_back(text);
        return 0;
    }
    return value;
}

void FakePassServices::setLines(const std::vector<std::string>& lines) {
    editor_.clear();
    for (const auto& l : lines)
        editor_.append(l);
}

} // namespace qw::test
