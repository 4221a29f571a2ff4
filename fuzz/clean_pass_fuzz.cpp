// The clean pass on any bytes, with random answers to its questions.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "text/LineBreaks.h"
#include "text/LineSplitter.h"
#include "text/MultiLineString.h"
#include "text/Text.h"

using namespace qw;
using namespace qw::fuzz;

namespace {

bool opensMultiLineString(std::string_view line) {
    const std::size_t end = trimRight(line).size();
    std::size_t quotesAt = end;
    while (quotesAt > 0 && line[quotesAt - 1] == '\'')
        --quotesAt;
    return quotesAt < end && multiLineOpenerQuotes(line, quotesAt) > 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    PassOptions options;
    options.mode = PassMode::Clean;
    AnsweringHost host(randomAnswers(in));
    const std::string_view source = in.rest();

    const PassOutcome once = runPass(source, options, host);
    checkOutcome(once);
    check(once.marks.empty(), "the clean pass marks nothing");
    if (once.aborted)
        return 0;
    // A line the pass left as it was may end in blanks: the text of a
    // multi-line string is kept to the byte, and so is what follows the
    // quotes that open one, even on a line a comment was cut from.
    std::set<std::string, std::less<>> kept;
    LineBreaks breaks;
    for (LineSplitter lines(source, breaks); !lines.atEnd();)
        kept.emplace(lines.next());
    for (const std::string& line : once.lines)
        check(line.empty() || static_cast<unsigned char>(line.back()) > 0x20 || kept.count(line) ||
                  opensMultiLineString(line),
              "written lines end in no blank, unless the source had the line", line);
    const PassOutcome twice = runPassIgnoring(once.saved, options);
    check(twice.saved == once.saved, "cleaning twice gives what cleaning once gives");
    check(twice.count == 0, "cleaning a cleaned text removes nothing", std::to_string(twice.count));
    if (once.asked == 0)
        checkSameCode(source, once.saved, "cleaning keeps the code");
    return 0;
}
