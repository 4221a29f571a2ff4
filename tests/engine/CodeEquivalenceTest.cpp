#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PassRunner.h"
#include "support/TestSupport.h"
#include "text/CodeEquivalence.h"

namespace qw {
namespace {

struct Pair {
    const char* name;
    std::string before;
    std::string after;
};

TEST(CodeEquivalence, TextsThatDifferOnlyInBlanksAndCommentsHoldTheSameCode) {
    const Pair cases[] = {
        {"identical", "x := 1;", "x := 1;"},
        {"both empty", "", ""},
        {"only comments and blanks", "", "{ a }\r\n  // b\r\n(* c *)\r\n"},
        {"comment appended", "end;", "end; { Foo }"},
        {"header above", "procedure Foo;", "{ Foo\r\n  header }\r\nprocedure Foo;"},
        {"run of blanks", "x := 1;", "x   :=\t1;"},
        {"line breaks", "a\r\nb\r\n", "a\nb"},
        {"comment for blank", "a (* c *) b", "a  b"},
        {"comment between words", "a{x}b", "a b"},
        {"separator where nothing can glue", "Foo(a{, b},c{x}+1)", "Foo(a,c+1)"},
        {"directive blanks", "{$R  *.RES}", "{$R *.RES}"},
        {"line comment", "x; // note\r\ny;", "x;\r\ny;"},
        {"(*) opens a comment", "a (*) still *) b", "a b"},
        {"braces do not nest", "a { { } b", "a b"},
        {"star inside", "a (* a * b *) c", "a c"},
        {"multi-line comment", "a {\r\nx\r\n} b", "a\r\nb"},
        {"unclosed comment", "a { runs on", "a"},
        {"trailing blanks of an open string", "s := 'abc   \r\nx", "s := 'abc\r\nx"},
        {"control characters are blanks", "a\x0c\r\nb\x1a", "a\r\nb"},
        {"leading separator", "unit A;", "// xref\r\nunit A;"},
        {"comment in a string is code", "s := '{ a }';", "s := '{ a }';"},
        {"doubled quote", "s := 'it''s'; { c }", "s := 'it''s';"},
        {"brace directive", "{$R *.RES} x", "{$R *.RES}\r\nx"},
        {"byte-order mark before a comment", "\xEF\xBB\xBF{ a }\r\nunit A;", "\xEF\xBB\xBFunit A;"},
        {"byte-order mark before a cross-reference", "\xEF\xBB\xBFunit A;",
         "\xEF\xBB\xBF{ xref }\r\nunit A;"},
        {"paren directive", "(*$I inc.inc*) x", "(*$I inc.inc*) x"},
        {"comment behind a multi-line string", "s := '''\r\n  a { b }  \r\n  '''; // c",
         "s := '''\r\n  a { b }  \r\n  ''';"},
        {"line breaks in a multi-line string", "s := '''\r\na\r\n''';", "s := '''\na\n''';"},
        {"blanks behind the opener", "s := '''  \r\na\r\n''';", "s := '''\r\na\r\n''';"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(findCodeMismatch(c.before, c.after).has_value()) << c.name;
}

struct Mismatch {
    const char* name;
    std::string before;
    std::string after;
    int afterLine;
    int beforeLine;
};

TEST(CodeEquivalence, ChangedCodeIsFoundAtItsLine) {
    const Mismatch cases[] = {
        {"changed word", "a;\r\nb;\r\nc;", "a;\r\nx;\r\nc;", 2, 2},
        {"glued words", "a{x}b", "ab", 1, 1},
        {"split word", "ab", "a\r\nb", 2, 1},
        {"assignment glued", "x :{c}= 1", "x := 1", 1, 1},
        {"number glued", "x := 1{c}.5", "x := 1.5", 1, 1},
        {"char code glued", "c := #{c}13", "c := #13", 1, 1},
        {"power glued", "x := a *{c}* b", "x := a ** b", 1, 1},
        {"strings glued", "s := 'a'{c}'b'", "s := 'a''b'", 1, 1},
        {"bracket and slash glued", "a := ({c}/x)", "a := (/x)", 1, 1},
        {"byte-order mark lost", "\xEF\xBB\xBFunit A;", "unit A;", 1, 1},
        {"directive blank removed", "{$DEFINE A}", "{$DEFINEA}", 1, 1},
        {"blank in string", "s := 'a  b';", "s := 'a b';", 1, 1},
        {"removed directive", "{$R *.RES}\r\nx", "x", 1, 1},
        {"directive changed", "{$IFDEF A}\r\nx", "{$IFDEF B}\r\nx", 1, 1},
        {"code lost at the end", "a;\r\nb;", "a;\r\n", 1, 2},
        {"code added at the end", "a;", "a;\r\n\r\nb;", 3, 1},
        {"comment closed early", "end; { long\r\nnote }\r\nx", "end; { long { Foo }\r\nnote }\r\nx",
         2, 3},
        {"comment inside a string", "s := 'abc';", "s := 'abc { Foo }';", 1, 1},
        {"comment removed from a multi-line string", "s := '''\r\na { b }\r\n''';",
         "s := '''\r\na\r\n''';", 2, 2},
        {"trailing blank of a multi-line string", "s := '''\r\na \r\n''';", "s := '''\r\na\r\n''';",
         2, 2},
        {"indentation of the closer", "s := '''\r\n a\r\n  ''';", "s := '''\r\n a\r\n ''';", 3, 3},
        {"line added to a multi-line string", "s := '''\r\na\r\n''';", "s := '''\r\na\r\n\r\n''';",
         3, 3},
        {"lone CR lines", "a\rb\rc", "a\rb\rd", 3, 3},
        {"string left open takes the rest of the line", "s := 'ab\r\n", "s := 'ab { c }\r\n", 1, 1},
    };
    for (const auto& c : cases) {
        auto m = findCodeMismatch(c.before, c.after);
        ASSERT_TRUE(m.has_value()) << c.name;
        EXPECT_EQ(m->afterLine, c.afterLine) << c.name;
        EXPECT_EQ(m->beforeLine, c.beforeLine) << c.name;
    }
}

TEST(CodeEquivalence, ExcerptsAndMessageShowTheDifference) {
    auto m = findCodeMismatch("a;\r\nbeta := 1;\r\n", "a;\r\nbetx := 1;\r\n");
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->afterExcerpt, "x := 1;");
    EXPECT_EQ(m->beforeExcerpt, "a := 1;");
    EXPECT_NE(describeCodeMismatch(*m).find("line 2"), std::string::npos);
}

// The passes themselves must pass the net on ordinary code.
TEST(CodeEquivalence, CommentAndCleanPassesKeepTheCode) {
    const std::string unit = "unit U;\r\n"
                             "interface\r\n"
                             "procedure Foo(A: Integer);\r\n"
                             "implementation\r\n"
                             "{$R *.RES}\r\n"
                             "procedure Foo(A: Integer);\r\n"
                             "var i: Integer; // counter\r\n"
                             "begin\r\n"
                             "  for i := 0 to A do\r\n"
                             "  begin\r\n"
                             "    case i of\r\n"
                             "      1: begin Write('{not a comment}'); end;\r\n"
                             "    end;\r\n"
                             "  end;\r\n"
                             "  x := a(* glue *)b;\r\n"
                             "end;\r\n"
                             "end.\r\n";
    for (auto style : {EndCommentStyle::Line, EndCommentStyle::Brace, EndCommentStyle::Paren}) {
        const auto commented = test::commentText(unit, style);
        auto m = findCodeMismatch(unit, commented.text);
        EXPECT_FALSE(m.has_value()) << (m ? describeCodeMismatch(*m) : "");
    }
    const auto cleaned = test::cleanText(unit);
    auto m = findCodeMismatch(unit, cleaned.text);
    EXPECT_FALSE(m.has_value()) << (m ? describeCodeMismatch(*m) : "");
}

TEST(CodeEquivalence, StateAfterATextFollowsTheSameRules) {
    struct Row {
        const char* text;
        LanguageState start;
        LanguageState expected;
    };
    const LanguageState multiLine3{CodeState::MultiLineString, 3};
    const Row rows[] = {
        {"x := 1;", CodeState::Code, CodeState::Code},
        {"s := 'abc", CodeState::Code, CodeState::String},
        {"s := 'it''s", CodeState::Code, CodeState::String},
        {"s := 'it''s'", CodeState::Code, CodeState::Code},
        {"s := 'abc\r\nx", CodeState::Code, CodeState::Code},
        {"a { b", CodeState::Code, CodeState::BraceComment},
        {"a (*) b", CodeState::Code, CodeState::ParenComment},
        {"a (* b *) c", CodeState::Code, CodeState::Code},
        {"{$IFDEF A", CodeState::Code, CodeState::BraceDirective},
        {"(*$I a.inc", CodeState::Code, CodeState::ParenDirective},
        {"x // 'a {", CodeState::Code, CodeState::Code},
        {"'{' { '", CodeState::Code, CodeState::BraceComment},
        {"still } x '", CodeState::BraceComment, CodeState::String},
        {"*) x", CodeState::ParenComment, CodeState::Code},
        {"} x", CodeState::BraceDirective, CodeState::Code},
        {"s := '''", CodeState::Code, multiLine3},
        {"s := '''''  ", CodeState::Code, {CodeState::MultiLineString, 5}},
        {"s := ''' x", CodeState::Code, CodeState::String},
        {"  ''';", multiLine3, CodeState::Code},
        {"  ''' { a", multiLine3, CodeState::BraceComment},
        {"  '''''", multiLine3, multiLine3},
        {"end; (* text", multiLine3, multiLine3},
        {"s := '''\r\n{ text }\n  ''' { c", CodeState::Code, CodeState::BraceComment},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(codeStateAfter(r.text, r.start), r.expected) << r.text;
        // A comment appended to code keeps it; appended inside a string, it
        // does not.
        if (r.start == CodeState::Code &&
            (r.expected == CodeState::Code || r.expected.state == CodeState::String ||
             r.expected.state == CodeState::MultiLineString)) {
            EXPECT_EQ(findCodeMismatch(r.text, std::string(r.text) + " { c }").has_value(),
                      r.expected != CodeState::Code)
                << r.text;
        }
    }
}

// The scanner takes no quote of a uses clause for a string; the language
// does, and an end comment behind such a quote would be inside it.
TEST(CodeEquivalence, NoEndCommentInsideAUsesClauseString) {
    const std::string unit = "program P;\nbegin\n  case X of\n    1: Y;\nuses A in 'a end;\nend.\n";
    const auto commented = test::commentText(unit, EndCommentStyle::Brace);
    EXPECT_EQ(commented.text, unit);
    EXPECT_FALSE(findCodeMismatch(unit, commented.text).has_value());
}

} // namespace
} // namespace qw

// Plain code is skipped several bytes at a time: the first opener is found at
// every place in and across those steps, beside bytes that a wrong step would
// take for one (high bytes, nulls, neighbours of the openers' codes).
// The header step's quick answer for lines put in between two lines of code
// must be the comparison's: every line of up to four of these pieces.
TEST(CodeEquivalence, LinesOfOnlyCommentsAreThoseThatKeepTheCodeWhenPutIn) {
    const std::string pieces[] = {"{", "}", "(*", "*)", "*", ")", "(", "/",
                                  "$", " ", "\t", "x", "'", "\x01"};
    const std::string around = "a := 1;\nb := 2;";
    std::vector<std::string> lines = {""};
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> longer;
        for (const std::string& line : lines)
            for (const std::string& piece : pieces)
                longer.push_back(line + piece);
        for (const std::string& line : longer) {
            const std::string after = "a := 1;\n" + line + "\nb := 2;";
            EXPECT_EQ(qw::holdsOnlyComments(line), !qw::findCodeMismatch(around, after))
                << "'" << line << "'";
        }
        lines = std::move(longer);
    }
}

TEST(CodeEquivalence, PlainCodeEndsAtTheFirstOpener) {
    const std::string fillers[] = {"a", "\x80", "\xff", std::string(1, '\0'), "&", "|", ")", "0"};
    for (const std::string& filler : fillers)
        for (const char opener : {'\'', '{', '(', '/'})
            for (std::size_t at = 0; at < 40; ++at)
                for (std::size_t from = 0; from <= at; from += 3) {
                    std::string text;
                    for (std::size_t k = 0; k < at; ++k)
                        text += filler;
                    text += opener;
                    text += "'{(/";
                    EXPECT_EQ(qw::skipPlainCode(text, from), at)
                        << int(static_cast<unsigned char>(filler[0])) << " " << opener << at;
                    EXPECT_EQ(qw::skipPlainCode(text.substr(0, at), from), at);
                }
}
