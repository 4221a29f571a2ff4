#include <gtest/gtest.h>

#include <random>

#include "SchemaTestSupport.h"

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
// touch a line of code, and must settle: a further run changes nothing.
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
            if (codeLines(edited) != code)
                continue; // the edit broke a comment open; not a header edit
            const PassResult once = commentWith(schema, edited);
            ASSERT_FALSE(once.aborted) << name << "\n" << edited;
            ASSERT_EQ(codeLines(once.text), code) << name << "\n" << edited;
            const PassResult twice = commentWith(schema, once.text);
            EXPECT_EQ(twice.text, once.text) << name << " after editing to\n" << edited;
            EXPECT_EQ(codeLines(twice.text), code);
        }
    }
}

} // namespace
} // namespace qw::test
