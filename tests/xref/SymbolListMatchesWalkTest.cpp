// The indexed list against the plain backward walk, on random sequences of
// declarations, qualifications, uses at changing levels and line shifts.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "text/ResultEditor.h"
#include "text/Text.h"
#include "xref/PlainSymbolList.h"
#include "xref/SymbolList.h"

namespace qw {
namespace {

::testing::AssertionResult sameSymbols(const std::vector<TSymbol>& got,
                                       const std::vector<TSymbol>& want) {
    if (got.size() != want.size())
        return ::testing::AssertionFailure()
               << "size " << got.size() << ", walk has " << want.size();
    for (std::size_t i = 0; i < got.size(); ++i) {
        const TSymbol& a = got[i];
        const TSymbol& b = want[i];
        std::ostringstream diff;
        if (a.Kind != b.Kind)
            diff << " Kind " << int(a.Kind) << " vs " << int(b.Kind);
        if (a.Qualifier != b.Qualifier)
            diff << " Qualifier '" << a.Qualifier << "' vs '" << b.Qualifier << "'";
        if (a.Name != b.Name)
            diff << " Name '" << a.Name << "' vs '" << b.Name << "'";
        if (a.UseLines != b.UseLines)
            diff << " UseLines (" << a.UseLines.size() << " vs " << b.UseLines.size() << ")";
        if (a.Level != b.Level)
            diff << " Level " << a.Level << " vs " << b.Level;
        if (a.DeclLine != b.DeclLine)
            diff << " DeclLine " << a.DeclLine << " vs " << b.DeclLine;
        if (!diff.str().empty())
            return ::testing::AssertionFailure() << "symbol " << i << ":" << diff.str();
    }
    return ::testing::AssertionSuccess();
}

// How one random run leans: few names make many matches, a wide level range
// makes many stops, many shifts stress the line tree.
struct Mix {
    const char* what;
    int names;    // size of the name pool used
    int maxLevel; // levels -1 .. maxLevel
    int declare;  // weights of the operations
    int qualify;
    int use;
    int shift;
    int levelStep; // the pass's level drifts by at most this per operation
};

const Mix kMixes[] = {
    {"balanced", 12, 4, 30, 5, 55, 10, 1},
    {"few names, many uses", 3, 3, 15, 3, 80, 2, 1},
    {"many names, deep levels", 40, 9, 40, 5, 45, 10, 2},
    {"shift heavy", 10, 3, 30, 2, 30, 38, 1},
    {"flat", 8, 0, 35, 5, 50, 10, 0},
    {"qualify heavy", 6, 2, 35, 30, 30, 5, 1},
};

// Names in several letter cases, punctuation as the pass records it, and
// bytes above 127 that must not be folded.
const char* const kNamePool[] = {
    "Count",    "count", "COUNT", "Reset", "reset", "TCounter", "x",       "X",
    "Foo_1",    "foo_1", ";",     "=",     "(",     "Integer",  "integer", "\xC4rger",
    "\xE4rger", "Bar",   "bAR",   "Inner", "A",     "b",        "Item",    "ITEM",
    "Next",     "Value", "vALUE", "Run",   "Self",  "Result",   "Outer",   "Z9",
    "z9",       "List",  "LIST",  "Tail",  "Head",  "Node",     "Key",     "KEY"};

class RandomRun {
public:
    RandomRun(std::uint32_t seed, const Mix& mix) : rng_(seed), mix_(mix) {}

    // One random operation applied to both lists.
    void step() {
        const int total = mix_.declare + mix_.qualify + mix_.use + mix_.shift;
        int pick = below(total);
        driftLevel();
        line_ += below(3);
        if ((pick -= mix_.declare) < 0) {
            const std::string name = randomName();
            const std::uint8_t kind = static_cast<std::uint8_t>(kKinds[below(4)]);
            const std::int32_t declLine = line_ - below(4);
            fast.AddSymbol(name, declLine, level_, kind);
            walk.AddSymbol(name, declLine, level_, kind);
        } else if ((pick -= mix_.qualify) < 0) {
            fast.MarkQualified();
            walk.MarkQualified();
        } else if ((pick -= mix_.use) < 0) {
            const std::string lower = toLower(randomName());
            fast.AddUse(lower, line_, level_);
            walk.AddUse(lower, line_, level_);
        } else {
            const std::int32_t from = below(line_ + 10) - 3;
            fast.ShiftLines(from);
            walk.ShiftLines(from);
        }
    }

    TSymbolList fast;
    oracle::PlainSymbolList walk;

private:
    static constexpr int kKinds[] = {2, 3, 6, 7};

    int below(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    std::string randomName() { return kNamePool[below(mix_.names)]; }
    void driftLevel() {
        level_ += below(2 * mix_.levelStep + 1) - mix_.levelStep;
        if (level_ < -1)
            level_ = -1;
        if (level_ > mix_.maxLevel)
            level_ = mix_.maxLevel;
    }

    std::mt19937 rng_;
    Mix mix_;
    std::int32_t level_ = 0;
    std::int32_t line_ = 1;
};

std::vector<std::string> someSourceLines() {
    return {"unit U;", "", "interface", "end."};
}

TEST(SymbolListMatchesWalk, EveryFieldOfEverySymbolOnRandomRuns) {
    for (const Mix& mix : kMixes) {
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE(std::string(mix.what) + ", seed " + std::to_string(seed));
            RandomRun run(seed, mix);
            const int steps = 50 + static_cast<int>(seed * 37 % 1500);
            for (int i = 1; i <= steps; ++i) {
                run.step();
                if (i % 25 == 0 || i == steps) {
                    ASSERT_TRUE(sameSymbols(run.fast.symbols(), run.walk.symbols()))
                        << "after step " << i;
                }
            }
        }
    }
}

TEST(SymbolListMatchesWalk, ReportTextAndMarksOnRandomRuns) {
    for (const Mix& mix : kMixes) {
        for (std::uint32_t seed = 100; seed < 130; ++seed) {
            SCOPED_TRACE(std::string(mix.what) + ", seed " + std::to_string(seed));
            RandomRun run(seed, mix);
            const int steps = static_cast<int>(seed * 53 % 900);
            for (int i = 0; i < steps; ++i)
                run.step();
            ResultEditor fastEditor, walkEditor;
            for (const std::string& l : someSourceLines()) {
                fastEditor.append(l);
                walkEditor.append(l);
            }
            walkEditor.mark(3, 0, 4);
            fastEditor.mark(3, 0, 4);
            const int at = static_cast<int>(seed % 3); // not only at the top
            EXPECT_TRUE(run.fast.WriteReport(fastEditor, at));
            EXPECT_TRUE(run.walk.WriteReport(walkEditor, at));
            ASSERT_EQ(fastEditor.lines(), walkEditor.lines());
            EXPECT_EQ(fastEditor.marks(), walkEditor.marks());
        }
    }
}

} // namespace
} // namespace qw
