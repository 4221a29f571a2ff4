#include <gtest/gtest.h>

#include "support/PassRunner.h"

namespace qw::test {
namespace {

TEST(WorkedExamples, RoutineWithForLoopInBraceStyle) {
    const std::string input = "implementation\n"
                              "procedure TFoo.Bar;\n"
                              "begin\n"
                              "  for i := 0 to 9 do\n"
                              "  begin\n"
                              "    if i > 5 then begin X; end;\n"
                              "  end;\n"
                              "end;\n";
    PassResult r = commentText(input);
    EXPECT_EQ(r.text, "implementation\n"
                      "procedure TFoo.Bar;\n"
                      "begin { Bar }\n"
                      "  for i := 0 to 9 do\n"
                      "  begin { for i :=.. }\n"
                      "    if i > 5 then begin X; end;\n"
                      "  end; { for i :=.. }\n"
                      "end; { Bar }\n");
    EXPECT_EQ(r.count, 4);
    EXPECT_FALSE(r.aborted);
}

TEST(WorkedExamples, CleanRemovesEveryKindOfComment) {
    const std::string input = "{ header of Foo\n"
                              "  second line }\n"
                              "procedure Foo; // note\n"
                              "begin { Foo }\n"
                              "  x := 1; (* a *) y := 2;\n"
                              "end; { Foo }\n";
    PassResult r = cleanText(input);
    EXPECT_EQ(r.text, "procedure Foo;\n"
                      "begin\n"
                      "  x := 1;  y := 2;\n"
                      "end;\n");
    EXPECT_EQ(r.count, 2);
}

} // namespace
} // namespace qw::test
