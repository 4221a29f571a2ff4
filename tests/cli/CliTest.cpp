#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "CliRunner.h"
#include "support/TempDir.h"
#include "text/CodeEquivalence.h"

namespace qw::test {
namespace {

namespace fs = std::filesystem;

// A relative path as the tool prints it: with the platform's separator.
std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', static_cast<char>(fs::path::preferred_separator));
    return path;
}

const std::string kRoutine = "unit U;\ninterface\nimplementation\nprocedure P;\nbegin\nend;\nend.";
// The result of commenting kRoutine with Demo.cs, coder Tester, epoch 0 in the
// C locale; the checksum is the header step's business.
const std::regex kRoutineCommented(R"(unit U;\ninterface\nimplementation\n)"
                                   R"(\(\* =+ \*\)\n)"
                                   R"(\(\* Routine:     P +\*\)\n)"
                                   R"(\(\* Description: +\*\)\n)"
                                   R"(\(\* Parameters:  - +\*\)\n)"
                                   R"(\(\* Result:      - +\*\)\n)"
                                   R"(\(\* Created:     01/01/70   Tester +\*\)\n)"
                                   R"(\(\* Updated:     01/01/70   Tester +Crc [0-9A-F]{2}  \*\)\n)"
                                   R"(\(\* +\*\)\n)"
                                   R"(\(\* =+ \*\)\n)"
                                   R"(procedure P;\nbegin \{ P \}\nend; \{ P \}\nend\.)");
const std::string kBare = "unit Bare;\ninterface\nimplementation\nend.\n";

struct Cli : ::testing::Test {
    TempDir dir;
    // kRoutine commented, as the tool prints it.
    std::string commentedRoutine() {
        put("Routine.tmp.pas", kRoutine);
        const CliResult r = run({"comment", "--coder", "Tester", "Routine.tmp.pas"});
        EXPECT_EQ(r.status, 0) << r.err;
        fs::remove(path("Routine.tmp.pas"));
        EXPECT_TRUE(std::regex_match(r.out, kRoutineCommented)) << r.out;
        return r.out;
    }
    std::string path(const std::string& name) const { return dir.file(name); }
    void put(const std::string& name, const std::string& bytes) const {
        writeFile(path(name), bytes);
    }
    std::string get(const std::string& name) const { return readFile(path(name)); }
    CliResult run(std::vector<std::string> args, std::map<std::string, std::string> env = {}) {
        return runCli(dir.path(), args, env);
    }
    // The settings file of the run, with these lines.
    void storeSettings(const std::string& lines) const {
        put("settings.conf", "[Quillwright]\n" + lines);
    }
    std::vector<std::string> filesBelow() const {
        std::vector<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(dir.path()))
            if (e.is_regular_file() && e.path().filename() != "settings.conf")
                out.push_back(fs::relative(e.path(), dir.path()).generic_string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

// --- one file at a time ---

TEST_F(Cli, CommentPrintsTheResultAndWritesNothing) {
    put("U.pas", kRoutine);
    const CliResult r = run({"comment", "--coder", "Tester", "U.pas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, kRoutineCommented)) << r.out;
    EXPECT_EQ(get("U.pas"), kRoutine);
    EXPECT_EQ(filesBelow(), std::vector<std::string>{"U.pas"});
}

TEST_F(Cli, CheckTellsWhatInPlaceWouldWriteByItsExitStatus) {
    put("New.pas", kRoutine);
    put("Done.pas", commentedRoutine()); // commenting it again changes nothing
    put("Bare.pas", kBare);
    struct Case {
        std::vector<std::string> files;
        int status;
        std::string listed;
    };
    const Case cases[] = {
        {{"Done.pas"}, 0, ""},
        {{"Bare.pas", "Done.pas"}, 0, ""},
        {{"Done.pas", "New.pas"}, 1, "New.pas\n"},
        {{"New.pas", "Missing.pas"}, 3, "New.pas\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"comment", "--check", "--coder", "Tester"};
        args.insert(args.end(), c.files.begin(), c.files.end());
        const CliResult r = run(args);
        SCOPED_TRACE(c.files.back());
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.listed);
    }
    // --check writes nothing.
    EXPECT_EQ(get("New.pas"), kRoutine);
    EXPECT_EQ(filesBelow(), (std::vector<std::string>{"Bare.pas", "Done.pas", "New.pas"}));
    const CliResult missing = run({"comment", "--check", "Missing.pas"});
    EXPECT_NE(missing.err.find("quillwright: error: cannot read 'Missing.pas': "),
              std::string::npos)
        << missing.err;
}

TEST_F(Cli, CleanCheckListsFilesWithComments) {
    put("C.pas", commentedRoutine());
    put("Bare.pas", kBare);
    const CliResult r = run({"clean", "--check", "Bare.pas", "C.pas"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "C.pas\n");
}

TEST_F(Cli, DiffShowsTheChangeAsAUnifiedDiffAndWritesNothing) {
    put("U.pas", kRoutine);
    const CliResult r = run({"comment", "--diff", "--coder", "Tester", "U.pas"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected = "--- U.pas\n+++ U.pas\n@@ -1,7 +1,16 @@\n unit U;\n interface\n"
                           " implementation\n";
    const std::string commented = commentedRoutine();
    std::istringstream result(commented);
    std::string line;
    for (int i = 0; std::getline(result, line) && i < 12; ++i)
        if (i >= 3)
            expected += "+" + line + "\n"; // the header
    EXPECT_EQ(line, "procedure P;");
    expected += " procedure P;\n-begin\n-end;\n+begin { P }\n+end; { P }\n end.\n"
                "\\ No newline at end of file\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(get("U.pas"), kRoutine);

    put("Done.pas", commented);
    const CliResult unchanged = run({"comment", "--diff", "--coder", "Tester", "Done.pas"});
    EXPECT_EQ(unchanged.status, 0);
    EXPECT_EQ(unchanged.out, "");
    const CliResult checked = run({"comment", "--diff", "--check", "--coder", "Tester", "U.pas"});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out, expected);
}

// Applies a unified diff of one file to `before`, failing the test when a
// context or removed line does not match.
std::string applyDiff(const std::string& before, const std::string& diff) {
    struct Line {
        std::string text;
        bool newline;
    };
    auto split = [](const std::string& text) {
        std::vector<Line> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const auto lf = text.find('\n', start);
            if (lf == std::string::npos) {
                lines.push_back({text.substr(start), false});
                break;
            }
            lines.push_back({text.substr(start, lf - start), true});
            start = lf + 1;
        }
        return lines;
    };
    const std::vector<Line> old = split(before);
    const std::vector<Line> patch = split(diff);
    std::vector<Line> out;
    std::size_t next = 0; // next old line to copy
    const std::regex hunk(R"(@@ -(\d+)(?:,(\d+))? \+(\d+)(?:,(\d+))? @@)");
    for (std::size_t i = 2; i < patch.size(); ++i) {
        std::smatch m;
        const std::string& p = patch[i].text;
        if (std::regex_match(p, m, hunk)) {
            std::size_t start = std::stoul(m[1]);
            const std::size_t count = m[2].matched ? std::stoul(m[2]) : 1;
            if (count > 0)
                --start;
            EXPECT_GE(start, next);
            while (next < start)
                out.push_back(old.at(next++));
        } else if (p.rfind("\\ ", 0) == 0) {
            out.back().newline = false;
        } else if (p[0] == '+') {
            out.push_back({p.substr(1), true});
        } else {
            EXPECT_TRUE(p[0] == ' ' || p[0] == '-') << p;
            EXPECT_EQ(old.at(next).text, p.substr(1));
            if (p[0] == ' ')
                out.push_back(old[next]);
            ++next;
        }
    }
    while (next < old.size())
        out.push_back(old[next++]);
    std::string text;
    for (const Line& l : out)
        text += l.text + (l.newline ? "\n" : "");
    return text;
}

TEST_F(Cli, DiffOfLargerFilesTurnsTheFileIntoTheResult) {
    const fs::path project = fs::path(QW_TEST_DIR) / "cli" / "project";
    const fs::path corpus = fs::path(QW_TEST_DIR) / "corpus";
    std::vector<fs::path> sources;
    for (const fs::path& folder : {project, corpus})
        if (fs::is_directory(folder))
            for (const auto& e : fs::recursive_directory_iterator(folder))
                if (e.is_regular_file() &&
                    (e.path().extension() == ".pas" || e.path().extension() == ".pp" ||
                     e.path().extension() == ".inc"))
                    sources.push_back(e.path());
    std::sort(sources.begin(), sources.end());
    if (sources.size() > 12)
        sources.resize(12);
    ASSERT_FALSE(sources.empty());
    int i = 0;
    for (const fs::path& source : sources) {
        SCOPED_TRACE(source.string());
        const std::string name = "f" + std::to_string(i++) + ".pas";
        put(name, readFile(source.string()));
        const CliResult diff = run({"comment", "--diff", "--xref", name});
        const CliResult result = run({"comment", "--xref", name});
        ASSERT_EQ(result.status, diff.status) << diff.err;
        if (result.status != 0)
            continue; // an aborted pass prints neither
        EXPECT_EQ(applyDiff(get(name), diff.out), result.out);
    }
}

TEST_F(Cli, InPlaceSavesWithABackupAndLeavesAnAbortedFileAlone) {
    put("U.pas", kRoutine);
    put("Bad.pas", "unit Bad;\nimplementation\nprocedure P;\nbegin\n  S := 'open\nend;\nend.\n");
    put("Bare.pas", kBare);
    const CliResult r = run({"comment", "-i", "--coder", "Tester", "U.pas", "Bad.pas", "Bare.pas"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(std::regex_match(get("U.pas"), kRoutineCommented)) << get("U.pas");
    EXPECT_EQ(get("U.bak"), kRoutine);
    EXPECT_EQ(get("Bad.pas"),
              "unit Bad;\nimplementation\nprocedure P;\nbegin\n  S := 'open\nend;\nend.\n");
    EXPECT_FALSE(exists(path("Bad.bak")));
    EXPECT_FALSE(exists(path("Bare.bak")));
    EXPECT_NE(r.err.find("Bad.pas:5: warning: Error: String exceeds line in source file Bad.pas "
                         "at line 5. [Abort]"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("quillwright: error: 'Bad.pas' was left unchanged: the pass was aborted"),
              std::string::npos)
        << r.err;
}

TEST_F(Cli, InPlaceKeepsTheCodeWhenTheSchemaWouldWriteCode) {
    // A schema without comment delimiters would put code above the routine:
    // no such header goes in, and what is written keeps the file's code.
    put("Code.cs", "xWriteLn('%FuncName');\r\n");
    put("U.pas", kRoutine);
    const CliResult r = run({"comment", "-i", "--schema", "Code.cs", "U.pas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(get("U.pas").find("WriteLn('"), std::string::npos) << get("U.pas");
    EXPECT_FALSE(findCodeMismatch(kRoutine, get("U.pas"))) << get("U.pas");
}

// --- many files ---

// A tree of sources: a few dozen units, some with routines, in subfolders,
// with letter cases and names that are no sources.
void makeTree(const Cli& t) {
    for (int i = 0; i < 30; ++i) {
        std::string text = "unit F" + std::to_string(i) + ";\ninterface\nimplementation\n";
        for (int r = 0; r < i % 4; ++r)
            text += "procedure P" + std::to_string(r) +
                    "(A: Integer);\nbegin\n  if A > 0 then\n"
                    "    for A := 1 to 2 do\n    begin\n    end;\nend;\n";
        if (i == 17)
            text += "procedure Q;\nbegin\n  S := 'open\nend;\n"; // aborts
        text += "end.\n";
        t.put((i % 3 == 0   ? "src/"
               : i % 3 == 1 ? "src/sub/"
                            : "") +
                  std::string("F") + std::to_string(i) + ".pas",
              text);
    }
}

TEST_F(Cli, JobsGiveTheSameOutputAsOneJob) {
    makeTree(*this);
    for (const char* mode : {"--diff", "--dry-run", "--check"}) {
        SCOPED_TRACE(mode);
        const CliResult one = run({"comment", "-r", mode, "-j", "1", "src", "."});
        const CliResult four = run({"comment", "-r", mode, "-j", "4", "src", "."});
        EXPECT_EQ(one.status, 3);
        EXPECT_EQ(four.status, one.status);
        EXPECT_EQ(four.out, one.out);
        EXPECT_EQ(four.err, one.err);
        EXPECT_FALSE(one.out.empty());
    }
}

TEST_F(Cli, JobsWriteInPlaceAsOneJobDoesAndKeepSharedBackupsInArgumentOrder) {
    makeTree(*this);
    put("Main.pas", kRoutine);
    put("Main.inc", "procedure I;\nbegin\nend;\n");
    put("main.dpr", "program Main;\nbegin\nend.\n");
    TempDir other;
    // Entry by entry: MinGW's fs::copy refuses a folder onto an existing one.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        fs::copy(entry.path(), fs::path(other.path()) / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const std::vector<std::string> args{"comment", "-i", "-r", ".", "Main.pas", "Main.inc"};
    std::vector<std::string> withJobs = args;
    withJobs.insert(withJobs.end(), {"-j", "8"});
    const CliResult one = runCli(other.path(), [&] {
        auto a = args;
        a.insert(a.end(), {"-j", "1"});
        return a;
    }());
    const CliResult eight = run(withJobs);
    EXPECT_EQ(eight.status, one.status);
    EXPECT_EQ(eight.err, one.err);
    for (const std::string& f : filesBelow()) {
        SCOPED_TRACE(f);
        EXPECT_EQ(readFile(path(f)), readFile(other.file(f)));
    }
    // Main.pas, Main.inc and main.dpr share Main.bak: the last of them saved,
    // in argument order, owns it. "." gives Main.inc, then Main.pas (both
    // saved), then main.dpr (no new comments, not saved); the arguments give
    // Main.pas and Main.inc again, which have their comments by then.
    EXPECT_EQ(get("Main.bak"), kRoutine);
    EXPECT_NE(get("Main.inc").find("begin { I }"), std::string::npos);
}

TEST_F(Cli, RecursiveDiscoveryTakesPascalSourcesInAnyCaseInNameOrder) {
    put("tree/b.pas", kRoutine);
    put("tree/A.PAS", kRoutine);
    put("tree/sub/c.Inc", kRoutine);
    put("tree/sub/d.dpr", kRoutine);
    put("tree/sub/deeper/e.pas", kRoutine);
    put("tree/notes.txt", kRoutine);
    put("tree/old.bak", kRoutine);
    put("tree/x.pas.orig", kRoutine);
    put("tree/Z.dpr", kRoutine);
    const CliResult r = run({"comment", "--check", "-r", "tree"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, nativePath("tree/A.PAS\ntree/Z.dpr\ntree/b.pas\ntree/sub/c.Inc\n"
                                "tree/sub/d.dpr\ntree/sub/deeper/e.pas\n"));
    const CliResult flat = run({"comment", "--check", "tree"});
    EXPECT_EQ(flat.status, 3);
    EXPECT_NE(flat.err.find("'tree' is a folder; give -r"), std::string::npos) << flat.err;
}

// --- project walk ---

struct Project : Cli {
    void SetUp() override { fs::copy(fs::path(QW_TEST_DIR) / "cli" / "project", path("proj")); }
};

TEST_F(Project, WalkSavesUnitsWithNewCommentsAndPrintsTheReport) {
    const std::string unit1 = get("proj/Unit1.pas");
    const std::string shared = get("proj/Shared.pas");
    const CliResult r = run({"project", "--coder", "Tester", "proj/Main.dpr"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "File           Comments\n"
                     "proj/Main.dpr         0\n"
                     "unit1.pas             3  (written)\n"
                     "unit2.pas             3  (written)\n"
                     "shared.pas            0\n");
    EXPECT_EQ(get("proj/Unit1.bak"), unit1);
    EXPECT_NE(get("proj/Unit1.pas"), unit1);
    EXPECT_EQ(get("proj/Shared.pas"), shared);
    EXPECT_FALSE(exists(path("proj/Shared.bak")));
    // Saved under their names on disk; no backup for files without new comments.
    EXPECT_EQ(filesBelow(),
              (std::vector<std::string>{"proj/Main.dpr", "proj/Shared.pas", "proj/Unit1.bak",
                                        "proj/Unit1.pas", "proj/Unit2.bak", "proj/Unit2.pas"}));
    // Run again: nothing new, nothing written.
    const CliResult again = run({"project", "--coder", "Tester", "proj/Main.dpr"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out.find("(written)"), std::string::npos) << again.out;
}

TEST_F(Project, DryRunWritesNothingAndJsonTellsTheSame) {
    const CliResult r = run({"project", "--dry-run", "--json", "-", "proj/Main.dpr"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(filesBelow(), (std::vector<std::string>{"proj/Main.dpr", "proj/Shared.pas",
                                                      "proj/Unit1.pas", "proj/Unit2.pas"}));
    EXPECT_NE(r.out.find("\"dryRun\": true"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"file\": \"unit2.pas\""), std::string::npos);
    EXPECT_NE(r.out.find("\"path\": \"proj/Unit2.pas\""), std::string::npos);
    EXPECT_NE(r.out.find("\"end\": \"finished\""), std::string::npos);
}

TEST_F(Project, UpperCaseProjectFileIsTakenAndAPascalFileRefused) {
    fs::rename(path("proj/Main.dpr"), path("proj/MAIN.DPR"));
    const CliResult upper = run({"project", "--dry-run", "proj/MAIN.DPR"});
    EXPECT_EQ(upper.status, 0) << upper.err;
    EXPECT_NE(upper.out.find("unit2.pas"), std::string::npos);
    const CliResult pas = run({"project", "proj/Unit1.pas"});
    EXPECT_EQ(pas.status, 2);
    EXPECT_NE(pas.err.find("'proj/Unit1.pas' is not a project file"), std::string::npos);
    EXPECT_FALSE(exists(path("proj/Unit1.bak")));
}

// --- settings ---

TEST_F(Cli, DefaultsComeFromTheStoreAndOptionsOverrideThem) {
    put("U.pas", kRoutine);
    put("schemas/One.cs", "x(* One\r\nx%FuncName\r\nx%Coder\r\nx*)\r\n");
    EXPECT_EQ(run({"settings", "set", "style", "line"}).status, 0);
    EXPECT_EQ(run({"settings", "set", "coder", "Ann"}).status, 0);
    EXPECT_EQ(run({"settings", "set", "schema-directory", path("schemas")}).status, 0);
    EXPECT_EQ(run({"settings", "set", "schema", "One.cs"}).status, 0);
    const std::string expectedStored = "unit U;\ninterface\nimplementation\n(* "
                                       "One\nP\nX\n*)\nprocedure P;\nbegin // P\nend; // P\nend.";
    // The logon name beats a stored coder, so --coder keeps the run the same
    // on every machine.
    const CliResult stored = run({"comment", "--coder", "X", "U.pas"});
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(stored.out, expectedStored);
    const CliResult overridden =
        run({"comment", "--coder", "X", "--style", "paren", "--schema", "none.cs", "U.pas"});
    EXPECT_EQ(overridden.status, 3);
    EXPECT_NE(overridden.err.find("quillwright: error: cannot read schema none.cs: "),
              std::string::npos)
        << overridden.err;
    const CliResult paren = run({"comment", "--style", "paren", "U.pas", "--coder", "X"});
    EXPECT_NE(paren.out.find("begin (* P *)"), std::string::npos) << paren.out;

    const CliResult shown = run({"settings"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.out.find("Style  1 // function"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Name   One.cs"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Schema: " + path("schemas") + nativePath("/One.cs")),
              std::string::npos)
        << shown.out;
}

TEST_F(Cli, AStoredSchemaThatCannotBeReadIsAnErrorAndNoFileIsTouched) {
    put("U.pas", kRoutine);
    storeSettings("Path=" + dir.path() + "/\nName=Gone.cs\n");
    const CliResult r = run({"comment", "-i", "U.pas"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("quillwright: error: cannot read schema " + dir.path() + "/Gone.cs: "),
              std::string::npos)
        << r.err;
    EXPECT_EQ(get("U.pas"), kRoutine);
    EXPECT_FALSE(exists(path("U.bak")));
    // Clean needs no schema.
    EXPECT_EQ(run({"clean", "U.pas"}).status, 0);
}

TEST_F(Cli, CrossReferenceFollowsTheStoreUnlessTold) {
    put("U.pas", kRoutine);
    auto hasXref = [&](std::vector<std::string> args) {
        args.push_back("U.pas");
        const CliResult r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.find("Not used in this unit!") != std::string::npos ||
               r.out.find("(global)") != std::string::npos;
    };
    EXPECT_FALSE(hasXref({"comment"}));
    EXPECT_TRUE(hasXref({"comment", "--xref"}));
    storeSettings("CRef=1\n");
    EXPECT_TRUE(hasXref({"comment"}));
    EXPECT_FALSE(hasXref({"comment", "--no-xref"}));
    EXPECT_EQ(run({"comment", "--xref", "--no-xref", "U.pas"}).status, 2);
}

TEST_F(Cli, AStoredStyleOutOfRangeIsNamedAndStyleTwoIsUsed) {
    put("U.pas", kRoutine);
    storeSettings("Style=7\n");
    const CliResult r = run({"comment", "U.pas"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("the stored style 7 is not 0 to 3; style 2 is used"), std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("begin { P }\nend; { P }"), std::string::npos) << r.out;
    EXPECT_EQ(run({"comment", "--style", "line", "U.pas"}).err, ""); // an option overrides it
}

TEST_F(Cli, SettingsSetRefusesUnknownNamesAndValues) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{"settings", "set", "style", "4"}, 2},    {{"settings", "set", "style", "brace"}, 0},
        {{"settings", "set", "colour", "red"}, 2}, {{"settings", "set", "xref", "maybe"}, 2},
        {{"settings", "set", "CRef", "off"}, 0},   {{"settings", "set", "hotkey", "49218"}, 0},
        {{"settings", "set", "hotkey", "x"}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.args).status, c.status) << c.args[2] << " " << c.args[3];
    const std::string conf = get("settings.conf");
    EXPECT_NE(conf.find("Style=2"), std::string::npos) << conf;
    EXPECT_NE(conf.find("CRef=0"), std::string::npos) << conf;
    EXPECT_NE(conf.find("SCut=49218"), std::string::npos) << conf;
    EXPECT_EQ(conf.find("Name="), std::string::npos) << conf; // only what was set
}

// --- project settings files ---

// `text` as a regular expression that matches exactly it.
std::string literal(const std::string& text) {
    return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

TEST_F(Cli, ProjectSettingsFileDecidesBetweenOptionsAndTheStore) {
    // Two projects, one with a schema of its own, and a file under none.
    put("team/.quillwright", "# shared\nstyle = paren\nschema = tools/Team.cs\ncoder = Team\n");
    put("team/tools/Team.cs", "x(* Team\r\nx%Coder\r\nx*)\r\n");
    put("team/src/deep/A.pas", kRoutine);
    put("other/.quillwright", "xref = on\nstyle = none\n");
    put("other/B.pas", kRoutine);
    put("C.pas", kRoutine);
    storeSettings("Style=1\nUser=Stored\n");
    const std::string header = literal("unit U;\ninterface\nimplementation\n(* Team\nTeam\n*)\n");
    const std::string teamParen =
        header + literal("procedure P;\nbegin (* P *)\nend; (* P *)\nend.");
    const std::string teamBrace = header + literal("procedure P;\nbegin { P }\nend; { P }\nend.");
    struct Row {
        std::vector<std::string> args;
        std::string out; // a regular expression
    };
    const Row rows[] = {
        // found from a nested folder, its schema relative to it, coder and style from it
        {{"comment", "team/src/deep/A.pas"}, teamParen},
        // options over the project file
        {{"comment", "--style", "brace", "team/src/deep/A.pas"}, teamBrace},
        {{"comment", "--schema", path("team/tools/Team.cs"), "--coder", "Team", "C.pas"},
         header + literal("procedure P;\nbegin // P\nend; // P\nend.")},
        // the project file over the store (style 1), the store where it is silent
        {{"comment", "other/B.pas"}, "(.|\n)*Not used in this unit!(.|\n)*\nbegin\nend;\nend\\."},
        {{"comment", "other/B.pas", "--no-xref", "--coder", "X"},
         "unit U;\ninterface\nimplementation\n\\(\\* =+ \\*\\)\n(.|\n)*procedure "
         "P;\nbegin\nend;\nend\\."},
        // two files under different project files and one under none, in one run
        {{"comment", "-j", "2", "team/src/deep/A.pas", "C.pas", "team/src/deep/A.pas"},
         teamParen + "unit U;(.|\n)*begin // P\nend; // P\nend\\." + teamParen},
    };
    for (const Row& row : rows) {
        const CliResult r = run(row.args);
        SCOPED_TRACE(row.args[row.args.size() - 1]);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(std::regex_match(r.out, std::regex(row.out))) << r.out;
    }

    // 'settings' tells which file applies in the current folder and what it gives.
    const CliResult shown = runCli(path("team"), {"settings"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    for (const std::string& expected :
         {"Project: " + nativePath(path("team/.quillwright")) + "\n",
          std::string("Style  3 (* function *)                 project file, line 2\n"),
          std::string("User   Team                             project file, line 4\n"),
          "Schema: " + nativePath(path("team/tools/Team.cs")) + " (project file, line 3)\n"})
        EXPECT_NE(shown.out.find(expected), std::string::npos) << shown.out;
    EXPECT_NE(run({"settings"}).out.find("Project: none\n"), std::string::npos);
}

TEST_F(Cli, ABadProjectSettingsFileStopsTheRunBeforeAnyFileIsTouched) {
    put("good/U.pas", kRoutine);
    put("bad/sub/U.pas", kRoutine);
    put("bad/.quillwright", "style = paren\n\nxref = sometimes\n");
    const std::string expected = "quillwright: error: " + nativePath(path("bad/.quillwright")) +
                                 ":3: 'sometimes' is not a value for xref (on or off)";
    for (const char* command : {"comment", "clean"}) {
        const CliResult r = run({command, "-i", "good/U.pas", "bad/sub/U.pas"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find_first_of("\r\n")), expected);
    }
    put("bad/Main.dpr", "program Main;\nuses U in 'sub/U.pas';\nbegin\nend.\n");
    const CliResult project = run({"project", "bad/Main.dpr"});
    EXPECT_EQ(project.err.substr(0, project.err.find_first_of("\r\n")), expected);
    put("bad/.quillwright", "colour = red\n");
    const CliResult unknown = runCli(path("bad"), {"settings"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(":1: 'colour' is no setting of a project file"), std::string::npos)
        << unknown.err;
    EXPECT_EQ(filesBelow(), (std::vector<std::string>{"bad/.quillwright", "bad/Main.dpr",
                                                      "bad/sub/U.pas", "good/U.pas"}));
    EXPECT_EQ(get("good/U.pas"), kRoutine);
}

TEST_F(Cli, SourceDateEpochFixesTheDateAndMustBeANumber) {
    put("U.pas", kRoutine);
    const CliResult fixed =
        run({"comment", "--coder", "Tester", "U.pas"}, {{"SOURCE_DATE_EPOCH", "86400"}});
    EXPECT_NE(fixed.out.find("Created:     01/02/70"), std::string::npos) << fixed.out;
    const CliResult bad = run({"comment", "U.pas"}, {{"SOURCE_DATE_EPOCH", "yesterday"}});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("SOURCE_DATE_EPOCH"), std::string::npos);
}

} // namespace
} // namespace qw::test
