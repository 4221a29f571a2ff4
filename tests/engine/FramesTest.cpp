#include <gtest/gtest.h>

#include "support/PassRunner.h"

namespace qw::test {
namespace {

// Comments twice: the second run over the result must change nothing.
PassResult commentStably(const std::string& input, EndCommentStyle style = EndCommentStyle::Brace) {
    PassResult first = commentText(input, style);
    PassResult second = commentText(first.text, style);
    EXPECT_EQ(second.text, first.text) << "a second run changed the text";
    EXPECT_EQ(second.count, 0);
    return first;
}

struct FrameCase {
    const char* name;
    std::string input;
    std::string expected;
    EndCommentStyle style = EndCommentStyle::Brace;
};

class FrameCases : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameCases, CommentsAsExpectedAndStaysStable) {
    SCOPED_TRACE(GetParam().name);
    PassResult r = commentStably(GetParam().input, GetParam().style);
    EXPECT_EQ(r.text, GetParam().expected);
    EXPECT_FALSE(r.aborted);
    EXPECT_TRUE(r.messages.empty());
}

const std::string kImpl = "implementation\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameCases,
    ::testing::Values(
        FrameCase{"OneLineBlockAfterDo",
                  kImpl + "procedure P;\nbegin\n  for i := 1 to 2 do begin x; end;\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n"
                          "  for i := 1 to 2 do begin x; end; { for i :=.. } { for i :=.. }\n"
                          "end; { P }\n"},
        FrameCase{"ForwardOnTheSameLine", kImpl + "procedure P; forward;\n",
                  kImpl + "procedure P; forward;\n"},
        FrameCase{"ForwardOnTheNextLine", kImpl + "procedure P;\n  forward;\n",
                  kImpl + "procedure P;\n  forward; { P }\n"},
        FrameCase{"ExceptionHandlerKeepsRoutineFrames",
                  kImpl + "procedure P;\nbegin\n  try\n    x;\n  except\n"
                          "    on E: Exception do\n      Log(E);\n  end;\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n  try\n    x;\n  except\n"
                          "    on E: Exception do\n      Log(E);\n  end; { try }\nend; { P }\n"},
        FrameCase{"HandlerBlockGetsItsDoComment",
                  kImpl + "procedure P;\nbegin\n  try x; except on E: Exception do\n  begin\n"
                          "  end;\n  end;\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n  try x; except on E: Exception do\n"
                          "  begin { try x; e.. }\n  end; { try x; e.. }\n  end; { try }\n"
                          "end; { P }\n"},
        FrameCase{"WidthColonIsNoCaseLabel", kImpl + "procedure P;\nbegin\n  Write(X:5);\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n  Write(X:5);\nend; { P }\n"},
        FrameCase{"CaseLabelBlocks",
                  kImpl + "procedure P;\nbegin\n  case K of\n    1:\n      begin\n      end;\n"
                          "    2: x;\n  end;\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n  case K of\n    1:\n      begin { 1: }\n"
                          "      end; { 1: }\n    2: x;\n  end; { case K of }\nend; { P }\n"},
        FrameCase{"ClassWithoutBodyKeepsLaterComments",
                  "type\n  EFoo = class(Exception);\n  TBar = class\n  end;\n" + kImpl +
                      "procedure P;\nbegin\nend;\n",
                  "type\n  EFoo = class(Exception);\n  TBar = class\n  end; { TBar = class }\n" +
                      kImpl + "procedure P;\nbegin { P }\nend; { P }\n"},
        FrameCase{"RecordAndTryAndAsm",
                  "type\n  R = record\n    A: Integer;\n  end;\n" + kImpl +
                      "procedure P;\nbegin\n  try\n    asm\n      nop\n    end;\n  finally\n"
                      "  end;\nend;\n",
                  "type\n  R = record\n    A: Integer;\n  end; { R = record }\n" + kImpl +
                      "procedure P;\nbegin { P }\n  try\n    asm\n      nop\n    end; { asm }\n"
                      "  finally\n  end; { try }\nend; { P }\n"},
        FrameCase{"RoutineWhoseBeginLineNamesIt", kImpl + "procedure Loop;\nbegin Loop; end;\n",
                  kImpl + "procedure Loop;\nbegin Loop; end;\n"},
        FrameCase{"LineStyle", kImpl + "procedure P;\nbegin\nend;\n",
                  kImpl + "procedure P;\nbegin // P\nend; // P\n", EndCommentStyle::Line},
        FrameCase{"ParenStyle", kImpl + "procedure P;\nbegin\nend;\n",
                  kImpl + "procedure P;\nbegin (* P *)\nend; (* P *)\n", EndCommentStyle::Paren},
        FrameCase{"NoStyle", kImpl + "procedure P;\nbegin\nend;\n",
                  kImpl + "procedure P;\nbegin\nend;\n", EndCommentStyle::None},
        FrameCase{"InterfaceHeadingsGetNoFrame",
                  "interface\nprocedure P;\n" + kImpl + "procedure P;\nbegin\nend;\n",
                  "interface\nprocedure P;\n" + kImpl + "procedure P;\nbegin { P }\nend; { P }\n"},
        FrameCase{"MethodHeadingInClassGetsNoFrame",
                  "type\n  T = class\n    procedure M;\n  end;\n" + kImpl +
                      "procedure T.M;\nbegin\nend;\n",
                  "type\n  T = class\n    procedure M;\n  end; { T = class }\n" + kImpl +
                      "procedure T.M;\nbegin { M }\nend; { M }\n"},
        FrameCase{"NestedRoutineGetsItsOwnFrame",
                  kImpl + "procedure Outer;\nvar\n  X: Integer;\n  procedure Inner;\n  begin\n"
                          "  end;\nbegin\nend;\n",
                  kImpl +
                      "procedure Outer;\nvar\n  X: Integer;\n  procedure Inner;\n"
                      "  begin { Inner }\n  end; { Inner }\nbegin { Outer }\nend; { Outer }\n"}),
    [](const auto& row) { return std::string(row.param.name); });

// Comments that would end early or stay open are not written.
INSTANTIATE_TEST_SUITE_P(
    UnsafeComments, FrameCases,
    ::testing::Values(
        FrameCase{"CaseLineWithItsOwnBraceComment",
                  kImpl + "procedure P;\nbegin\n  case K of { pick }\n    1: x;\n  end;\nend;\n",
                  kImpl + "procedure P;\nbegin { P }\n  case K of { pick }\n    1: x;\n  end;\n"
                          "end; { P }\n"},
        FrameCase{"InterfaceGuidInBraceStyle", "type\n  IFoo = interface ['{8F1D}']\n  end;\n",
                  "type\n  IFoo = interface ['{8F1D}']\n  end;\n"},
        FrameCase{"InterfaceGuidInLineStyle", "type\n  IFoo = interface ['{8F1D}']\n  end;\n",
                  "type\n  IFoo = interface ['{8F1D}']\n  end; // IFoo = interface ['{8F1D}']\n",
                  EndCommentStyle::Line},
        FrameCase{"LineEndsInsideBraceComment",
                  kImpl + "procedure P;\nbegin\nend; { starts here\n  and ends here }\n",
                  kImpl + "procedure P;\nbegin { P }\nend; { starts here\n  and ends here }\n"},
        FrameCase{"LineEndsInsideParenComment",
                  kImpl + "procedure P;\nbegin\nend; (* starts here\n  and ends here *)\n",
                  kImpl + "procedure P;\nbegin (* P *)\nend; (* starts here\n  and ends here *)\n",
                  EndCommentStyle::Paren},
        FrameCase{"BraceCommentAfterOpenParenCommentIsSafe",
                  kImpl + "procedure P;\nbegin\nend; (* starts here\n  and ends here *)\n",
                  kImpl + "procedure P;\nbegin { P }\nend; (* starts here { P }\n"
                          "  and ends here *)\n"},
        // A line comment behind an open "{" is inside that comment: a "}" in
        // its text would close it.
        FrameCase{"LineCommentBehindOpenBraceHoldingItsCloser",
                  kImpl + "procedure P;\nbegin\n  case K of { a }\n    1: x;\n"
                          "  end; { open\n  close }\nend;\n",
                  kImpl + "procedure P;\nbegin // P\n  case K of { a }\n    1: x;\n"
                          "  end; { open\n  close }\nend; // P\n",
                  EndCommentStyle::Line},
        FrameCase{"LineCommentBehindOpenParenHoldingItsCloser",
                  kImpl + "procedure P;\nbegin\n  case K of (* a *)\n    1: x;\n"
                          "  end; (* open\n  close *)\nend;\n",
                  kImpl + "procedure P;\nbegin // P\n  case K of (* a *)\n    1: x;\n"
                          "  end; (* open\n  close *)\nend; // P\n",
                  EndCommentStyle::Line},
        FrameCase{"LineCommentBehindOpenBraceWithoutCloser",
                  kImpl + "procedure P;\nbegin\nend; { open\n  close }\n",
                  kImpl + "procedure P;\nbegin // P\nend; { open // P\n  close }\n",
                  EndCommentStyle::Line}),
    [](const auto& row) { return std::string(row.param.name); });

// Constructs the rules would lose step on.
INSTANTIATE_TEST_SUITE_P(
    StepKeeping, FrameCases,
    ::testing::Values(
        FrameCase{"MethodPointerTypeInsideRoutine",
                  kImpl + "procedure P;\ntype\n  TProc = function: Variant of object;\nbegin\n"
                          "end;\n",
                  kImpl + "procedure P;\ntype\n  TProc = function: Variant of object;\n"
                          "begin { P }\nend; { P }\n"},
        FrameCase{"MethodPointerTypeWithParameters",
                  kImpl + "procedure P;\ntype\n  TProc = procedure(X: Integer) of object;\n"
                          "begin\nend;\nprocedure Q;\nbegin\nend;\n",
                  kImpl + "procedure P;\ntype\n  TProc = procedure(X: Integer) of object;\n"
                          "begin { P }\nend; { P }\nprocedure Q;\nbegin { Q }\nend; { Q }\n"},
        FrameCase{"ClassReferenceType",
                  "type\n  TFooClass = class of TFoo;\n  TBar = class\n  end;\n",
                  "type\n  TFooClass = class of TFoo;\n  TBar = class\n  end; { TBar = class }\n"},
        FrameCase{"AsmBodyWithoutAssemblerDirective",
                  kImpl + "function F: Boolean;\nasm\n  mov eax, 1\nend;\nprocedure Q;\nbegin\n"
                          "end;\n",
                  kImpl + "function F: Boolean;\nasm { F }\n  mov eax, 1\nend; { F }\n"
                          "procedure Q;\nbegin { Q }\nend; { Q }\n"},
        FrameCase{"AsmBodyWithAssemblerDirective",
                  kImpl + "function F: Boolean; assembler;\nasm\n  mov eax, 1\nend;\n",
                  kImpl +
                      "function F: Boolean; assembler;\nasm { F }\n  mov eax, 1\nend; { F }\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DeclarationStack, OverflowShowsItsMessageAndAborts) {
    std::string line;
    for (int i = 0; i < 50; ++i)
        line += "record case ";
    ScriptedHost host(Button::Abort);
    PassResult r = runPass(line + "\nnext\n", PassOptions{}, &host);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Declaration type stack overflow.\rPlease contact the author.");
    EXPECT_EQ(r.messages[0].kind, DialogKind::Error);
    EXPECT_EQ(r.messages[0].buttons, std::vector<Button>{Button::Abort});
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.lines.size(), 1u); // stops before the next line
}

TEST(DeclarationStack, ProceduralTypeNestsAndGetsNoHeaderFrame) {
    PassResult r = commentText(kImpl + "type\n  TProc = procedure(X: Integer);\n"
                                       "procedure P;\nbegin\nend;\n");
    EXPECT_EQ(r.lines.back(), "end; { P }");
    EXPECT_EQ(r.count, 2);
}

TEST(DeclarationStack, VarSectionEndsAtRoutineHeading) {
    PassResult r = commentText(kImpl + "var\n  A: Integer;\nprocedure Foo(var X: Integer);\n"
                                       "begin\nend;\n");
    EXPECT_EQ(r.lines.back(), "end; { Foo }");
}

TEST(DeclarationStack, ClassMethodInImplementationGetsNoFrame) {
    PassResult r = commentText(kImpl + "class function TFoo.Make: TFoo;\nbegin\nend;\n");
    EXPECT_EQ(r.count, 0);
}

} // namespace
} // namespace qw::test
