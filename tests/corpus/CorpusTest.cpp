// Runs the passes over real Pascal sources and checks the properties that
// must hold for any input. QW_CORPUS_ALL=1 takes every file instead of the
// fixed sample and prints counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "corpus/Corpus.h"
#include "schema/SchemaFile.h"
#include "support/PassRunner.h"

namespace qw::test {
namespace {

std::vector<std::string> filesToCheck() {
    const char* all = std::getenv("QW_CORPUS_ALL");
    return all && std::string(all) == "1" ? corpusFiles() : corpusSample(300);
}

PassResult pass(const std::string& input, PassMode mode, EndCommentStyle style) {
    PassOptions options;
    options.mode = mode;
    options.style = style;
    ScriptedHost host(Button::Ignore);
    return runPass(input, options, &host);
}

// Comments with the default schema, a fixed clock and brace end comments.
PassResult comment(const std::string& text) {
    static const Schema demo =
        loadSchema(readTextFile(std::string(QW_SOURCE_DIR) + "/schemas/Demo.cs"));
    FixedClock clock;
    PassOptions options;
    options.schema = demo;
    options.coderName = "Corpus";
    options.clock = &clock;
    ScriptedHost host(Button::Ignore);
    return runPass(text, options, &host);
}

TEST(Corpus, PropertiesHoldOnRealUnits) {
    const std::vector<std::string> files = filesToCheck();
    if (files.empty())
        GTEST_SKIP() << "no Pascal sources on this machine (package fpc-source-3.2.2)";
    int checked = 0, aborted = 0, idempotent = 0, cleanAgrees = 0, directivesKept = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string input = readTextFile(file);
        PassResult once = pass(input, PassMode::Comment, EndCommentStyle::Brace);
        if (once.aborted) {
            // Only the declaration stack's overflow stops a pass that is told
            // to ignore problems: classes nested more than 99 levels deep.
            ++aborted;
            ASSERT_FALSE(once.messages.empty());
            EXPECT_EQ(once.messages.back().text,
                      "Declaration type stack overflow.\rPlease contact the author.");
            continue;
        }
        PassResult twice = pass(once.text, PassMode::Comment, EndCommentStyle::Brace);
        PassResult cleanInput = pass(input, PassMode::Clean, EndCommentStyle::None);
        PassResult cleanCommented = pass(once.text, PassMode::Clean, EndCommentStyle::None);
        ++checked;
        const bool same = twice.text == once.text;
        const bool cleanSame = cleanCommented.text == cleanInput.text;
        const bool kept = directivesOf(cleanInput.text) == directivesOf(input);
        idempotent += same;
        cleanAgrees += cleanSame;
        directivesKept += kept;
        EXPECT_TRUE(same) << "commenting the commented text changed it";
        EXPECT_TRUE(cleanSame) << "cleaning the commented text differs from cleaning the input";
        EXPECT_TRUE(kept) << "the clean pass lost a compiler directive";
    }
    std::cout << "corpus: " << checked << " files, " << aborted
              << " aborted; comment twice = once: " << idempotent
              << "; clean(comment) = clean: " << cleanAgrees
              << "; directives kept: " << directivesKept << "\n";
}

// With the default schema the header update must be as stable as the
// begin/end comments. A few layouts of real units defeat the rules (headings
// found inside comments of .inc fragments, two headings on one line); the
// share is printed and must stay high.
TEST(Corpus, DemoSchemaIsStableOnRealUnits) {
    const std::vector<std::string> files = filesToCheck();
    if (files.empty())
        GTEST_SKIP() << "no Pascal sources on this machine (package fpc-source-3.2.2)";
    int checked = 0, stable = 0, cleanAgrees = 0, both = 0;
    for (const std::string& file : files) {
        const std::string input = readTextFile(file);
        PassResult once = comment(input);
        if (once.aborted)
            continue;
        ++checked;
        const bool same = comment(once.text).text == once.text;
        const bool cleanSame = pass(once.text, PassMode::Clean, EndCommentStyle::None).text ==
                               pass(input, PassMode::Clean, EndCommentStyle::None).text;
        stable += same;
        cleanAgrees += cleanSame;
        both += same && cleanSame;
        if (!(same && cleanSame))
            std::cout << "not stable: " << file << (same ? "" : " (second run)")
                      << (cleanSame ? "" : " (clean)") << "\n";
    }
    std::cout << "corpus with Demo.cs: " << checked << " files; comment twice = once: " << stable
              << "; clean(comment) = clean: " << cleanAgrees << "; both: " << both << "\n";
    EXPECT_GE(both * 100, checked * 99);
}

// How often a text holds a placeholder of the schema language.
int placeholders(const std::string& text) {
    int n = 0;
    for (const char* name :
         {"%FuncName", "%Date", "%Time", "%Coder", "%Result", "%Parameters", "%Update", "%Crc"})
        for (std::size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, at + 1))
            ++n;
    return n;
}

// The names in the "Routine:" lines of the default schema's headers that do
// not begin like an identifier: a punctuation token or nothing.
std::vector<std::string> oddRoutineNames(const std::string& text) {
    const std::string label = "(* Routine:     ";
    std::vector<std::string> odd;
    for (std::size_t at = text.find(label); at != std::string::npos;
         at = text.find(label, at + 1)) {
        const std::size_t from = at + label.size();
        const std::string name = text.substr(from, text.find(' ', from) - from);
        const unsigned char c = name.empty() ? ' ' : static_cast<unsigned char>(name[0]);
        if (!(std::isalpha(c) || c == '_' || c == '&'))
            odd.push_back(name);
    }
    return odd;
}

// Today's code: generics, anonymous methods, nested types, class members.
TEST(Corpus, ModernUnitsCommentStablyAndCleanly) {
    const char* all = std::getenv("QW_CORPUS_ALL");
    const std::vector<std::string> files =
        modernCorpusSample(all && std::string(all) == "1" ? 1000000 : 150);
    if (files.empty())
        GTEST_SKIP() << "no modern Pascal sources on this machine (packages "
                        "castle-game-engine-src, lazarus-src-2.2)";
    int checked = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string input = readTextFile(file);
        const PassResult once = comment(input);
        EXPECT_FALSE(once.aborted);
        if (once.aborted)
            continue;
        ++checked;
        EXPECT_EQ(comment(once.text).text, once.text) << "a second run changed the text";
        const PassResult cleanInput = pass(input, PassMode::Clean, EndCommentStyle::None);
        EXPECT_EQ(pass(once.text, PassMode::Clean, EndCommentStyle::None).text, cleanInput.text)
            << "cleaning the commented text differs from cleaning the input";
        EXPECT_EQ(directivesOf(cleanInput.text), directivesOf(input))
            << "the clean pass lost a compiler directive";
        EXPECT_EQ(placeholders(once.text), placeholders(input)) << "a placeholder was left";
        EXPECT_EQ(oddRoutineNames(once.text), std::vector<std::string>{})
            << "a header names a punctuation token";
    }
    std::cout << "modern corpus with Demo.cs: " << checked << " of " << files.size()
              << " files checked\n";
}

} // namespace
} // namespace qw::test
