#include <gtest/gtest.h>

#include <random>

#include "SchemaTestSupport.h"
#include "text/CodeEquivalence.h"

namespace qw::test {
namespace {

const std::string kSource = R"(unit Edits;

interface

implementation

procedure First(const A: Integer; var B: string;
  C: Byte);
begin
  B := IntToStr(A + C);
end;

function Second: Boolean;
var
  X: Integer;

  procedure Inner(Y: Integer);
  begin
    X := Y;
  end;

begin
  Inner(2);
  Result := X > 1;
end;

procedure Third; forward;

procedure Third;
begin
end;

end.
)";

// The lines of a text that are not comment lines: what the user wrote as code.
std::vector<std::string> codeLines(const std::string& text) {
    return cleanText(text).lines;
}

// Whatever the user does to the headers, the pass must not fail, must not
// touch a line of code, and must settle: a further run changes nothing. An
// edit that leaves a comment open (half a line) still costs no code.
TEST(EditedHeaders, NeverTouchCodeAndSettleAfterOneRun) {
    std::mt19937 random(20261208);
    for (const char* name : {"Demo.cs", "XmlDoc.cs", "PasDoc.cs"}) {
        const Schema schema = shippedSchema(name);
        const PassResult commented = commentWith(schema, kSource);
        const std::vector<std::string> code = codeLines(commented.text);
        for (int round = 0; round < 300; ++round) {
            std::vector<std::string> lines = commented.lines;
            // Edit one to three comment lines: delete, duplicate or change them.
            const int edits = 1 + static_cast<int>(random() % 3);
            for (int k = 0; k < edits; ++k) {
                std::vector<int> comments;
                for (int i = 0; i < static_cast<int>(lines.size()); ++i)
                    if (!lines[i].empty() && (lines[i][0] == '/' || lines[i][0] == '(' ||
                                              lines[i][0] == '{' || lines[i][0] == ' '))
                        comments.push_back(i);
                const int at = comments[random() % comments.size()];
                switch (random() % 3) {
                case 0:
                    lines.erase(lines.begin() + at);
                    break;
                case 1:
                    lines.insert(lines.begin() + at, lines[at]);
                    break;
                default:
                    lines[at] = lines[at].substr(0, lines[at].size() / 2);
                }
            }
            const std::string edited = joinLines(lines);
            const PassResult once = commentWith(schema, edited);
            ASSERT_FALSE(once.aborted) << name << "\n" << edited;
            if (codeLines(edited) != code) {
                // The edit broke a comment open and made header text code:
                // that code is the user's now and stays as it is.
                const auto mismatch = findCodeMismatch(edited, once.text);
                ASSERT_FALSE(mismatch) << name << ": " << describeCodeMismatch(*mismatch) << "\n"
                                       << edited;
                continue;
            }
            ASSERT_EQ(codeLines(once.text), code) << name << "\n" << edited;
            const PassResult twice = commentWith(schema, once.text);
            EXPECT_EQ(twice.text, once.text) << name << " after editing to\n" << edited;
            EXPECT_EQ(codeLines(twice.text), code);
        }
    }
}

// Schemas made at random from comment lines, run after random edits of the
// previous result on random days: the code of the file never changes. (Such
// schemas need not give stable headers; they must never cost code.)
TEST(RandomSchemas, NeverChangeTheCode) {
    const std::vector<std::string> pool = {
        "// ====",
        "// Routine:     %FuncName:30%",
        "// Parameters:  %Parameters:30%",
        "// Parameters:  %Parameters%",
        "// Result: %Result%",
        "// Updated:     %Update%%Date:10% %Coder:10% Crc %Crc:3%",
        "// Updated:     %Update%Crc %Crc%",
        "//",
        "// Created %Date%",
        "(* Box %FuncName:20% *)",
        "{ %Parameters:10% }",
        "// %Update%%Crc%",
        "// note",
        "//%Update%",
        "// a %Date %Time%",
        "// 100%% %Coder%",
        "//  %FuncName%",
        "{ P: %Parameters% }",
        "(* %Update%%Crc% *)",
        "// %Parameters:5% .",
        "/// <summary>",
        "///",
        "// R: %FuncName% %Update%",
        "//  %Update%%Date:10% %Crc:4% |"};
    const std::vector<std::string> units = {
        kSource, "implementation\n{$ifdef X}\nfunction F(A: Byte): Byte;\n{$else}\n"
                 "function F(A: Word): Word;\n{$endif}\nbegin\n  Result := A;\nend;\n"
                 "  procedure G;\n  begin\n  end;\n"};
    std::mt19937 random(8122026);
    FixedClock day1("08.12.2026"), day2("09.12.2026");
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> marked;
        for (int i = 0, n = 1 + static_cast<int>(random() % 8); i < n; ++i)
            marked.push_back((random() % 2 ? "x" : "o") + pool[random() % pool.size()]);
        const Schema schema = schemaOf(marked);
        std::string text = units[random() % units.size()];
        for (int run = 0; run < 4; ++run) {
            std::vector<std::string> lines = splitLines(text);
            if (run > 0) {
                const std::size_t at = random() % lines.size();
                if (lines[at].find("//") != std::string::npos) {
                    const auto edit = random() % 3;
                    if (edit == 0)
                        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
                    else if (edit == 1)
                        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]);
                    else
                        lines[at].resize(lines[at].size() / 2);
                }
            }
            const std::string input = joinLines(lines);
            const PassResult out = commentWith(schema, input, random() % 2 ? &day1 : &day2,
                                               static_cast<EndCommentStyle>(random() % 4));
            ASSERT_FALSE(out.aborted);
            const auto mismatch = findCodeMismatch(input, out.text);
            ASSERT_FALSE(mismatch) << describeCodeMismatch(*mismatch) << "\nschema:\n"
                                   << joinLines(marked) << "input:\n"
                                   << input;
            text = out.text;
        }
    }
}

} // namespace
} // namespace qw::test
