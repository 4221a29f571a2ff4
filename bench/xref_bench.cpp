// Times the cross-reference on a generated unit of many routines: the
// commenting pass with and without it, and the symbol list alone against the
// plain backward walk that it replaces.
//
//   xref_bench [routines]      (default 20000)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../tests/xref/PlainSymbolList.h"
#include "engine/PassHost.h"
#include "engine/SourcePass.h"
#include "platform/Clock.h"
#include "text/ResultEditor.h"
#include "text/Text.h"
#include "xref/SymbolList.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, secondsOf(work));
    return best;
}

std::string routineName(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Routine%05d", i);
    return buf;
}

// A unit with a few globals and `routines` routines, each with parameters,
// locals, a nested helper now and then, and uses of its locals, of the
// globals and of earlier routines.
std::string generateUnit(int routines) {
    std::string u;
    u += "unit Big;\r\n\r\ninterface\r\n\r\nconst\r\n  Limit = 100;\r\n  Title = 'Big';\r\n";
    u += "type\r\n  TPoint = record\r\n    X, Y: Integer;\r\n  end;\r\n";
    u += "var\r\n  Total: Integer;\r\n  Origin: TPoint;\r\n\r\nimplementation\r\n\r\n";
    for (int i = 0; i < routines; ++i) {
        const std::string name = routineName(i);
        const bool function = i % 3 == 0;
        u += function ? "function " : "procedure ";
        u += name + "(A: Integer; var B: string)";
        u += function ? ": Integer;\r\n" : ";\r\n";
        u += "var\r\n  Local1, Local2: Integer;\r\n  P: TPoint;\r\n";
        if (i % 10 == 0) {
            u += "  procedure Helper;\r\n  var\r\n    H: Integer;\r\n  begin\r\n";
            u += "    H := Local1 + Limit;\r\n    Local2 := H;\r\n  end;\r\n";
        }
        u += "begin\r\n";
        u += "  Local1 := A + Total;\r\n";
        u += "  Local2 := Local1 * 2;\r\n";
        u += "  P.X := Origin.X + Local2;\r\n";
        u += "  if Local2 > Limit then\r\n  begin\r\n    Total := Total + 1;\r\n  end;\r\n";
        if (i > 0)
            u += "  " + routineName(i / 2) + "(Local1, B);\r\n";
        if (i % 10 == 0)
            u += "  Helper;\r\n";
        if (function)
            u += "  Result := Local1;\r\n";
        u += "end;\r\n\r\n";
    }
    u += "end.\r\n";
    return u;
}

class SilentHost : public qw::PassHost {
public:
    qw::Button ask(const qw::Message&) override { return qw::Button::Ignore; }
};

class BenchClock : public qw::Clock {
public:
    std::string shortDate() override { return "08.12.2026"; }
    std::string longTime() override { return "10:30:00"; }
};

struct PassFigures {
    double seconds = 0;
    int lines = 0;
    int comments = 0;
};

PassFigures timePass(const std::string& unit, qw::CrossReference xref, const qw::Schema& schema) {
    qw::PassOptions options;
    options.crossReference = xref;
    options.schema = schema;
    options.coderName = "bench";
    BenchClock clock;
    options.clock = &clock;
    PassFigures f;
    f.seconds = bestOf(3, [&] {
        SilentHost host;
        qw::Progress progress;
        qw::SourcePass pass(options, host, progress);
        qw::ResultEditor editor;
        pass.runText("Big.pas", unit, editor);
        f.lines = editor.count();
        f.comments = progress.commentCount;
    });
    return f;
}

// What the pass tells the cross-reference for the generated unit, roughly:
// two entries per routine, locals one level down, and a use for every word
// and punctuation token of the body.
template <typename List> void feedLikeThePass(List& list, int routines) {
    int line = 20;
    const char* const bodyTokens[] = {
        "local1", ":=", "a",      "+", "total", ";",      "local2", ":=", "local1", "*",
        ";",      "p",  ".",      "x", ":=",    "origin", ".",      "x",  "+",      "local2",
        ";",      "if", "local2", ">", "limit", "then",   "total",  ":=", "total",  "+"};
    list.AddSymbol("Limit", 6, 0, 7);
    list.AddSymbol("Total", 14, 0, 6);
    list.AddSymbol("Origin", 15, 0, 6);
    int level = 0;
    for (int i = 0; i < routines; ++i) {
        const std::string name = routineName(i);
        list.AddUse("procedure", ++line, level);
        list.AddSymbol(name, line, level, 2);
        for (const char* t : {"(", "a", ":", "integer", ";", "var", "b", ":", "string", ")"})
            list.AddUse(t, line, level);
        list.AddSymbol(name, line, level, 2);
        ++level;
        list.AddUse("var", ++line, level);
        list.AddSymbol("Local1", ++line, level, 6);
        list.AddUse(",", line, level);
        list.AddSymbol("Local2", line, level, 6);
        list.AddUse("integer", line, level);
        list.AddSymbol("P", ++line, level, 6);
        list.AddUse("tpoint", line, level);
        for (const char* t : bodyTokens)
            list.AddUse(t, ++line, level);
        if (i > 0)
            list.AddUse(qw::toLower(routineName(i / 2)), ++line, level);
        if (i % 7 == 0)
            list.ShiftLines(line - 12);
        line += 3;
        --level;
    }
}

double timeList(int routines) {
    return bestOf(3, [&] {
        qw::TSymbolList list;
        feedLikeThePass(list, routines);
        qw::ResultEditor editor;
        list.WriteReport(editor, 0);
    });
}

double timeWalk(int routines) {
    return bestOf(1, [&] {
        qw::oracle::PlainSymbolList list;
        feedLikeThePass(list, routines);
        qw::ResultEditor editor;
        list.WriteReport(editor, 0);
    });
}

} // namespace

int main(int argc, char** argv) {
    const int routines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const std::string unit = generateUnit(routines);
    std::printf("generated unit: %d routines, %zu bytes\n\n", routines, unit.size());

    qw::Schema schema;
    schema.lines = {"{ Name:       %FuncName% }", "{ Parameters: %Parameters% }",
                    "{ Result:     %Result% }", "{ %Date%  %Update:20%  %Crc% }"};
    schema.fixed = {true, true, true, true};
    const qw::Schema none;
    for (const qw::Schema* s : {&none, static_cast<const qw::Schema*>(&schema)}) {
        const PassFigures off = timePass(unit, qw::CrossReference::Off, *s);
        const PassFigures on = timePass(unit, qw::CrossReference::On, *s);
        std::printf("comment pass, %s:\n",
                    s->empty() ? "no header schema" : "with a header schema");
        std::printf("  without cross-reference  %8.3f s  (%d lines, %d comments)\n", off.seconds,
                    off.lines, off.comments);
        std::printf("  with cross-reference     %8.3f s  (%d lines, %d comments)\n", on.seconds,
                    on.lines, on.comments);
        std::printf("  ratio                    %8.2f   (goal: below 2)\n\n",
                    on.seconds / off.seconds);
    }

    std::printf("symbol list alone (fed as by the pass, report included):\n");
    std::printf("  %9s  %12s  %12s\n", "routines", "indexed [s]", "plain walk [s]");
    for (int r : {1250, 2500, 5000, 10000, routines}) {
        const double walk = r <= 10000 ? timeWalk(r) : -1;
        if (walk >= 0)
            std::printf("  %9d  %12.4f  %12.4f\n", r, timeList(r), walk);
        else
            std::printf("  %9d  %12.4f  %12s\n", r, timeList(r), "(skipped)");
    }
    return 0;
}
