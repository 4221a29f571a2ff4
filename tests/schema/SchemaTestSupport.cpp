#include "SchemaTestSupport.h"

#include <ostream>

#include "schema/SchemaFile.h"
#include "schema/SchemaMarkers.h"

namespace qw {
void PrintTo(const UpdateRecord& record, std::ostream* out) {
    *out << "line " << record.line;
    if (record.labelEnd)
        *out << ", label end " << *record.labelEnd << ", indent " << record.indent;
}
} // namespace qw

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

void FakeHeaderHost::markCommentLines(int from, int to) {
    ++commentCount;
    editor_.markLines(from, to);
}

void FakeHeaderHost::markComment(int line, int column, int length) {
    ++commentCount;
    editor_.mark(line, column, length);
}

void FakeHeaderHost::setLines(const std::vector<std::string>& lines) {
    editor_.clear();
    for (const auto& l : lines)
        editor_.append(l);
}

} // namespace qw::test
