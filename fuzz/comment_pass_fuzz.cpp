// The commenting pass on any bytes, with any style, cross-reference on or off,
// a random or a well-formed schema and random answers to its questions.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "engine/ProjectLists.h"
#include "engine/SourcePass.h"
#include "text/LineSplitter.h"

using namespace qw;
using namespace qw::fuzz;

namespace {

enum class SchemaChoice { None, Random, WellFormed };

std::vector<std::string_view> linesOf(std::string_view text) {
    LineBreaks breaks;
    LineSplitter splitter(text, breaks);
    std::vector<std::string_view> lines;
    while (!splitter.atEnd())
        lines.push_back(splitter.next());
    return lines;
}

// Without headers and cross-reference the pass only appends to lines.
void checkOnlyAppends(std::string_view source, const PassOutcome& out) {
    // The splitter leaves out a byte-order mark, as the result does; a second
    // one is text.
    const std::vector<std::string_view> in = linesOf(source);
    check(in.size() == out.lines.size(), "every line is kept, none added",
          std::to_string(in.size()) + " lines in, " + std::to_string(out.lines.size()) + " out");
    for (std::size_t i = 0; i < in.size(); ++i)
        check(out.lines[i].compare(0, in[i].size(), in[i]) == 0, "a line is only appended to",
              "line " + std::to_string(i + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t flags = in.byte();
    PassOptions options;
    options.style = static_cast<EndCommentStyle>(flags & 3);
    options.crossReference = (flags & 4) ? CrossReference::On : CrossReference::Off;
    const SchemaChoice choice = (flags & 0x18) == 0   ? SchemaChoice::None
                                : (flags & 0x18) == 8 ? SchemaChoice::Random
                                                      : SchemaChoice::WellFormed;
    if (choice == SchemaChoice::Random) {
        options.schema = randomSchema(in);
        options.coderName = randomCoder(in);
    } else if (choice == SchemaChoice::WellFormed) {
        options.schema = wellFormedSchema(in);
        options.coderName = "Fuzz";
    }
    FixedTextClock clock("08.12.2026", "10:30:00");
    options.clock = &clock;
    ProjectLists lists;
    options.projectLists = &lists;
    AnsweringHost host(randomAnswers(in));
    const std::string_view source = in.rest();

    const PassOutcome once = runPass(source, options, host);
    checkOutcome(once);
    if (once.aborted || once.asked > 0)
        return 0; // a partial result, or one the user was warned about

    const bool plain = options.schema.empty() && options.crossReference == CrossReference::Off;
    if (plain) {
        checkOnlyAppends(source, once);
        const PassOutcome twice = runPassIgnoring(once.saved, options);
        check(twice.saved == once.saved, "commenting twice gives what commenting once gives");
        check(twice.count == 0, "a second run adds no comment", std::to_string(twice.count));
    }
    if (choice != SchemaChoice::Random) {
        checkSameCode(source, once.saved, "commenting keeps the code");
        PassOptions cleaning;
        cleaning.mode = PassMode::Clean;
        const PassOutcome cleanedInput = runPassIgnoring(source, cleaning);
        // A quote inside a uses clause opens no string when commenting but
        // does when cleaning; the clean pass then warns of a string that runs
        // past its line, and the two passes read the rest differently.
        if (cleanedInput.asked > 0)
            return 0;
        const PassOutcome cleanedOutput = runPassIgnoring(once.saved, cleaning);
        check(cleanedOutput.saved == cleanedInput.saved,
              "cleaning the commented text gives what cleaning the input gives");
    }
    return 0;
}
