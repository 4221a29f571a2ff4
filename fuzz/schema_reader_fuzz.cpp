// The schema reader on any bytes, and the header step with what it read.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "schema/SchemaFile.h"

using namespace qw;
using namespace qw::fuzz;

namespace {

constexpr const char* kUnit = "unit U;\r\ninterface\r\nimplementation\r\n"
                              "procedure A(const X: Integer; var Y: string);\r\n"
                              "begin\r\n  Y := '';\r\nend;\r\n"
                              "function B: Integer;\r\n"
                              "  procedure Inner; begin end;\r\n"
                              "begin\r\n  Result := 1;\r\nend;\r\nend.\r\n";

// The header step is run only on schemas of a size a user could write.
constexpr std::size_t kMaxSchemaLines = 300;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Schema schema = loadSchema(bytes);
    check(schema.lines.size() == schema.fixed.size(), "one flag per schema line");
    check(schema.lines.size() == splitSchemaLines(bytes).size(), "one schema line per file line");
    for (const std::string& line : schema.lines)
        check(line.find_first_of("\r\n") == std::string::npos, "schema lines hold no line break",
              line);

    const std::string saved = schemaFileText(schema);
    const Schema reloaded = loadSchema(saved);
    check(reloaded.lines == schema.lines && reloaded.fixed == schema.fixed,
          "a saved schema loads as it was");
    check(schemaFileText(reloaded) == saved, "saving a loaded saved schema changes nothing");

    if (schema.lines.size() > kMaxSchemaLines)
        return 0;
    PassOptions options;
    options.schema = schema;
    options.coderName = "Fuzz";
    FixedTextClock clock("08.12.2026", "10:30:00");
    options.clock = &clock;
    const PassOutcome once = runPassIgnoring(kUnit, options);
    checkOutcome(once);
    if (!once.aborted) {
        const PassOutcome twice = runPassIgnoring(once.saved, options);
        checkOutcome(twice);
    }
    return 0;
}
