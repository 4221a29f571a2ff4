#include "CliRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace qw::test {
namespace {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

CliResult runCli(const std::string& workDir, const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env) {
    std::map<std::string, std::string> vars{{"HOME", workDir},
                                            {"QUILLWRIGHT_SETTINGS", workDir + "/settings.conf"},
                                            {"SOURCE_DATE_EPOCH", "0"},
                                            {"LC_ALL", "C"},
                                            {"PATH", "/usr/bin:/bin"}};
    for (const auto& [name, value] : env)
        vars[name] = value;
    std::string command = "cd " + shellQuoted(workDir) + " && env -i";
    for (const auto& [name, value] : vars)
        if (!value.empty())
            command += " " + shellQuoted(name + "=" + value);
    command += " " + shellQuoted(QW_CLI_PATH);
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    const std::string outFile = workDir + "/.cli-out";
    const std::string errFile = workDir + "/.cli-err";
    command += " >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile) + " </dev/null";
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(outFile);
    r.err = readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return r;
}

} // namespace qw::test
