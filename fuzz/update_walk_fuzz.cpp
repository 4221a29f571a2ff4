// The update of headers: a text is commented, edited at random as a user
// might, and commented again on a later day.
#include <cstddef>
#include <cstdint>

#include <cstdlib>
#include <fstream>

#include "FuzzSupport.h"
#include "schema/SchemaFile.h"
#include "text/CodeEquivalence.h"

using namespace qw;
using namespace qw::fuzz;

namespace {

constexpr const char* kInsertions[] = {
    "  x := x + 1;", "begin",   "end;",
    "(* note *)",    "",        "procedure Q;",
    "// remark",     "  begin", "  end;",
    "{ open",        "close }", "function F(A: Integer): Integer;",
    "   ",
};
constexpr char kReplacements[] = {' ', 'x', ';', '(', ')', '*', '{', '}', '\'', '%', '/', '\t'};

// Up to eight edits: delete, duplicate or insert a line, change or add a
// character.
std::vector<std::string> edited(std::vector<std::string> lines, FuzzInput& in, std::size_t edits) {
    for (std::size_t k = 0; k < edits; ++k) {
        const std::size_t kind = in.pick(5);
        const std::size_t at = in.pick(lines.size() + 1);
        if (kind == 2 || lines.empty()) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                         kInsertions[in.pick(std::size(kInsertions))]);
            continue;
        }
        const std::size_t i = at < lines.size() ? at : lines.size() - 1;
        std::string& line = lines[i];
        switch (kind) {
        case 0:
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        case 1:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), line);
            break;
        case 3:
            if (!line.empty())
                line[in.pick(line.size())] = kReplacements[in.pick(std::size(kReplacements))];
            break;
        default:
            line.insert(in.pick(line.size() + 1), 1,
                        kReplacements[in.pick(std::size(kReplacements))]);
            break;
        }
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t flags = in.byte();
    PassOptions options;
    options.style = static_cast<EndCommentStyle>(flags & 3);
    const bool wellFormed = (flags & 4) == 0;
    options.schema = wellFormed ? wellFormedSchema(in) : randomSchema(in);
    options.coderName = "Fuzz";
    const std::size_t edits = in.pick(9);
    // The edits take their choices from the bytes after the source's length.
    const std::size_t sourceLength = static_cast<std::size_t>(in.byte()) << 8 | in.byte();
    const std::string_view source = in.take(sourceLength);

    FixedTextClock firstDay("08.12.2026", "10:30:00");
    options.clock = &firstDay;
    const PassOutcome once = runPassIgnoring(source, options);
    checkOutcome(once);
    if (once.aborted)
        return 0;

    const std::string edit = joined(edited(once.lines, in, edits));
    if (const char* folder = std::getenv("QW_FUZZ_DUMP")) {
        std::ofstream schemaFile(std::string(folder) + "/schema.cs", std::ios::binary);
        schemaFile << schemaFileText(options.schema);
        std::ofstream(std::string(folder) + "/first.pas", std::ios::binary) << source;
    }
    FixedTextClock nextDay("09.12.2026", "11:45:30");
    options.clock = &nextDay;
    const PassOutcome again = runPassIgnoring(edit, options);
    checkOutcome(again);
    // Headers are found by their text: an edit that turns a header line into
    // code (a letter before its comment opener) can be taken for a header line
    // and rewritten, which the check before every unreviewed save refuses. The
    // update must keep the code whenever the edits kept it.
    const bool editKeptCode = !findCodeMismatch(once.saved, edit).has_value();
    if (!again.aborted && again.asked == 0 && once.asked == 0 && wellFormed && editKeptCode)
        checkSameCode(edit, again.saved, "updating headers keeps the code");
    return 0;
}
