#include "CliRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace qw::test {
namespace {

#ifdef _WIN32

// One argument as the C runtime splits a command line: in quotes, with the
// backslashes before a quote doubled.
std::string quotedArgument(const std::string& arg) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

HANDLE inheritedFile(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts the tool with exactly `vars` as its environment (and what Windows
// needs to start a program), standard input from NUL and the outputs into
// files; its exit status, -1 when it could not be started.
int runTool(const std::string& workDir, const std::vector<std::string>& args,
            std::map<std::string, std::string> vars, const std::string& outFile,
            const std::string& errFile) {
    // The test program's current folder resolves the tool's path, not workDir.
    std::string commandLine = quotedArgument(std::filesystem::absolute(QW_CLI_PATH).string());
    for (const std::string& a : args)
        commandLine += " " + quotedArgument(a);
    for (const char* needed : {"SystemRoot", "windir", "TEMP", "TMP"})
        if (const char* value = std::getenv(needed); value && !vars.count(needed))
            vars[needed] = value;
    std::string block;
    for (const auto& [name, value] : vars)
        if (!value.empty()) {
            block += name + "=" + value;
            block += '\0';
        }
    block += '\0';

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritedFile("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritedFile(outFile, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritedFile(errFile, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        block.data(), workDir.c_str(), &startup, &process);
    CloseHandle(startup.hStdInput);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

#else

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

#endif

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
    // The home folder ends the search for project settings files: none above
    // workDir is ever found.
    std::map<std::string, std::string> vars{{"HOME", workDir},
                                            {"USERPROFILE", workDir},
                                            {"QUILLWRIGHT_SETTINGS", workDir + "/settings.conf"},
                                            {"SOURCE_DATE_EPOCH", "0"},
                                            {"LC_ALL", "C"},
                                            {"PATH", "/usr/bin:/bin"}};
    for (const auto& [name, value] : env)
        vars[name] = value;
    const std::string outFile = workDir + "/.cli-out";
    const std::string errFile = workDir + "/.cli-err";
    CliResult r;
#ifdef _WIN32
    r.status = runTool(workDir, args, vars, outFile, errFile);
#else
    std::string command = "cd " + shellQuoted(workDir) + " && env -i";
    for (const auto& [name, value] : vars)
        if (!value.empty())
            command += " " + shellQuoted(name + "=" + value);
    command += " " + shellQuoted(QW_CLI_PATH);
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    command += " >" + shellQuoted(outFile) + " 2>" + shellQuoted(errFile) + " </dev/null";
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    r.out = readFile(outFile);
    r.err = readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return r;
}

} // namespace qw::test
