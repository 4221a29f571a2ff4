#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliRunner.h"
#include "support/TempDir.h"

namespace qw::test {
namespace {

namespace fs = std::filesystem;

// A help file holds the arguments (one a line), this separator line and what
// the tool prints for them. With QW_REGENERATE_GOLDEN set the printed part is
// written anew (see scripts/regenerate-golden); review the difference before
// committing it.
const std::string kSeparator = "----- expected -----\n";

fs::path helpDir() {
    return fs::path(QW_TEST_DIR) / "cli" / "help";
}

std::vector<std::string> helpFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(helpDir()))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Help : public ::testing::TestWithParam<std::string> {};

TEST_P(Help, PrintsTheCheckedInText) {
    const fs::path file = helpDir() / GetParam();
    const std::string content = readFile(file.string());
    const std::size_t cut = content.find(kSeparator);
    ASSERT_NE(cut, std::string::npos) << "no separator in " << file;
    std::vector<std::string> args;
    std::istringstream lines(content.substr(0, cut));
    for (std::string line; std::getline(lines, line);)
        args.push_back(line);

    TempDir dir;
    const CliResult r = runCli(dir.path(), args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    if (std::getenv("QW_REGENERATE_GOLDEN")) {
        std::ofstream(file, std::ios::binary) << content.substr(0, cut) << kSeparator << r.out;
        return;
    }
    EXPECT_EQ(r.out, content.substr(cut + kSeparator.size()));
}

INSTANTIATE_TEST_SUITE_P(Files, Help, ::testing::ValuesIn(helpFiles()), [](const auto& row) {
    std::string n = row.param.substr(0, row.param.size() - 4);
    std::replace(n.begin(), n.end(), '-', '_');
    return n;
});

} // namespace
} // namespace qw::test
