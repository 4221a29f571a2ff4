#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "drivers/SaveFile.h"
#include "engine/Progress.h"
#include "engine/SourcePass.h"
#include "text/CodeEquivalence.h"

namespace qw::fuzz {

std::uint8_t FuzzInput::byte() {
    return pos_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos_++]) : 0;
}

std::size_t FuzzInput::pick(std::size_t count) {
    return count == 0 ? 0 : byte() % count;
}

std::string_view FuzzInput::take(std::size_t count) {
    std::string_view part = bytes_.substr(pos_ < bytes_.size() ? pos_ : bytes_.size(), count);
    pos_ += part.size();
    return part;
}

std::string_view FuzzInput::rest() {
    return take(bytes_.size());
}

Button AnsweringHost::ask(const Message& message) {
    (void)message;
    const std::size_t i = static_cast<std::size_t>(asked++);
    return i < answers_.size() ? answers_[i] : Button::Ignore;
}

std::vector<Button> randomAnswers(FuzzInput& in) {
    static constexpr Button kButtons[] = {Button::Ignore, Button::Abort, Button::Retry};
    std::vector<Button> answers;
    const std::size_t n = in.pick(5);
    for (std::size_t i = 0; i < n; ++i)
        answers.push_back(kButtons[in.pick(3)]);
    return answers;
}

namespace {

constexpr const char* kPieces[] = {
    "(* ",
    " *)",
    "{ ",
    " }",
    "// ",
    "%FuncName",
    "%FuncName%",
    "%FuncName:30%",
    "%FuncName:2%",
    "%Date%",
    "%Date",
    "%Time%",
    "%Time:12%",
    "%Coder%",
    "%Coder",
    "%Result%",
    "%Result:20%",
    "%Parameters%",
    "%Parameters:30%",
    "%Parameters",
    "%Update%",
    "%Update",
    "%Update:5%",
    "%Crc%",
    "%Crc:3%",
    "%Crc",
    "%%",
    "Routine: ",
    "Crc ",
    "   ",
    "-",
    ":",
    "|",
    "*",
    "%",
    ":x%",
    "%Unknown%",
    "=====",
    "\t",
    "",
};

constexpr const char* kCoders[] = {"", "Fuzz", "%Coder", "%Coder%%Coder%", "a%Date%", "%"};

struct WellFormedLine {
    const char* label;
    const char* placeholder;
};

constexpr WellFormedLine kWellFormed[] = {
    {"Routine:     ", "%FuncName:30%"},
    {"Routine:     ", "%FuncName%"},
    {"Description: ", ""},
    {"Parameters:  ", "%Parameters:30%"},
    {"Parameters:  ", "%Parameters%"},
    {"Result:      ", "%Result:20%"},
    {"Created:     ", "%Date:10% %Coder:20%"},
    {"Updated:     ", "%Update%%Date:10% %Coder:10% Crc %Crc:3%"},
    {"Updated:     ", "%Update%Crc %Crc%"},
    {"Time:        ", "%Time%"},
    {"============", ""},
};

} // namespace

Schema randomSchema(FuzzInput& in) {
    Schema schema;
    const std::size_t lines = in.pick(9);
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t marker = in.pick(3);
        std::string line;
        const std::size_t pieces = 1 + in.pick(4);
        for (std::size_t p = 0; p < pieces; ++p)
            line += kPieces[in.pick(std::size(kPieces))];
        schema.lines.push_back(line);
        schema.fixed.push_back(marker == 0);
    }
    return schema;
}

Schema wellFormedSchema(FuzzInput& in) {
    // Brace comments are left out: a stray "}" in the code can become part of
    // a parameter list or a result type, and so of the header.
    const bool lineComments = in.pick(2) == 1;
    Schema schema;
    const std::size_t lines = 1 + in.pick(8);
    for (std::size_t i = 0; i < lines; ++i) {
        const WellFormedLine& w = kWellFormed[in.pick(std::size(kWellFormed))];
        std::string line = lineComments ? "// " : "(* ";
        line += w.label;
        line += w.placeholder;
        if (!lineComments)
            line += " *)";
        schema.lines.push_back(line);
        schema.fixed.push_back(in.pick(2) == 0);
    }
    return schema;
}

std::string randomCoder(FuzzInput& in) {
    return kCoders[in.pick(std::size(kCoders))];
}

PassOutcome runPass(std::string_view source, const PassOptions& options, AnsweringHost& host) {
    Progress progress;
    ResultEditor editor;
    PassOutcome out;
    try {
        SourcePass pass(options, host, progress);
        pass.runText("fuzz.pas", source, editor);
        out.saved = savedText(editor, saveOptionsFor(pass.lineBreaks()));
    } catch (const std::exception& e) {
        fail("no exception escapes the pass", e.what());
    } catch (...) {
        fail("no exception escapes the pass");
    }
    out.lines = editor.lines();
    out.marks = editor.marks();
    out.text = editor.text("\r\n", ResultEditor::FinalBreak::Yes);
    out.count = progress.commentCount;
    out.aborted = progress.abortRequested;
    out.asked = host.asked;
    return out;
}

PassOutcome runPassIgnoring(std::string_view source, const PassOptions& options) {
    AnsweringHost host;
    return runPass(source, options, host);
}

void fail(const char* invariant, std::string_view detail) {
    std::fprintf(stderr, "\nINVARIANT BROKEN: %s\n%.*s\n", invariant,
                 static_cast<int>(detail.size() > 2000 ? 2000 : detail.size()), detail.data());
    std::abort();
}

void checkOutcome(const PassOutcome& out) {
    check(out.count >= 0, "the comment count is not negative", std::to_string(out.count));
    for (const CommentMark& m : out.marks) {
        const bool inside =
            m.line >= 0 && m.line < static_cast<int>(out.lines.size()) && m.column >= 0 &&
            m.length >= 0 &&
            static_cast<std::size_t>(m.column) + static_cast<std::size_t>(m.length) <=
                out.lines[static_cast<std::size_t>(m.line)].size();
        check(inside, "marks lie inside their lines",
              "line " + std::to_string(m.line) + " column " + std::to_string(m.column) +
                  " length " + std::to_string(m.length));
    }
}

// With QW_FUZZ_DUMP set to a folder, a broken code check leaves its two texts
// there, to be read with a diff tool.
void dumpTexts(std::string_view before, std::string_view after) {
    const char* folder = std::getenv("QW_FUZZ_DUMP");
    if (!folder)
        return;
    const std::string base(folder);
    std::ofstream(base + "/before.pas", std::ios::binary) << before;
    std::ofstream(base + "/after.pas", std::ios::binary) << after;
}

void checkSameCode(std::string_view before, std::string_view after, const char* invariant) {
    // Stray bytes of a byte-order mark that a pass brings to the very front
    // (the lines above them were comments) become the file's mark when it is
    // read again: a change the check must refuse.
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (after.substr(0, 3) == kMark && before.substr(0, 3) != kMark) {
        check(findCodeMismatch(before, after).has_value(),
              "a byte-order mark brought to the front is refused");
        return;
    }
    if (auto m = findCodeMismatch(before, after)) {
        dumpTexts(before, after);
        fail(invariant, describeCodeMismatch(*m));
    }
}

} // namespace qw::fuzz
