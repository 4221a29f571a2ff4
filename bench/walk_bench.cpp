// Runs the built tool over a tree of sources, as a user would:
//
//     quillwright comment --dry-run --quiet -j 2 FILE...
//
// once over the first eighth of the tree's files, then a quarter, a half and
// all of them, and prints for each run the files, megabytes, seconds, files/s,
// MB/s and the tool's peak resident memory. The peak must stay flat as the
// number of files grows: it follows the largest file, not the count, which is
// why the table shows the largest file of each run.
//
//     walk_bench [TREE [QUILLWRIGHT [JOBS]]]
//
// TREE defaults to /usr/share/fpcsrc, QUILLWRIGHT to the tool of this build
// (../src/cli/quillwright beside this program), JOBS to 2. The tool runs with
// SOURCE_DATE_EPOCH=0 and a settings file of its own, so the stored settings
// of the machine play no part.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

bool isSource(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pas" || ext == ".inc" || ext == ".dpr";
}

struct Source {
    std::string path;
    std::uintmax_t bytes;
};

std::vector<Source> sourcesBelow(const fs::path& root) {
    std::vector<Source> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && isSource(it->path()))
            out.push_back({it->path().string(), it->file_size(ec)});
    std::sort(out.begin(), out.end(),
              [](const Source& a, const Source& b) { return a.path < b.path; });
    return out;
}

struct RunFigures {
    double seconds = 0;
    long peakKilobytes = 0;
    int status = -1;
};

#ifndef _WIN32
RunFigures runTool(const std::string& tool, const std::string& jobs,
                   const std::vector<Source>& files, std::size_t count) {
    std::vector<std::string> args{tool, "comment", "--dry-run", "--quiet", "-j", jobs};
    for (std::size_t i = 0; i < count; ++i)
        args.push_back(files[i].path);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    RunFigures figures;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("SOURCE_DATE_EPOCH", "0", 1);
        setenv("QUILLWRIGHT_SETTINGS", "/nonexistent/walk_bench.conf", 1);
        execv(tool.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    figures.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.peakKilobytes = usage.ru_maxrss;
    figures.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return figures;
}
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::puts("walk_bench runs on POSIX systems only");
    return 0;
#else
    const fs::path tree = argc > 1 ? argv[1] : "/usr/share/fpcsrc";
    const std::string tool =
        argc > 2 ? argv[2]
                 : (fs::path(argv[0]).parent_path() / ".." / "src" / "cli" / "quillwright")
                       .lexically_normal()
                       .string();
    const std::string jobs = argc > 3 ? argv[3] : "2";
    const std::vector<Source> files = sourcesBelow(tree);
    if (files.empty() || !fs::exists(tool)) {
        std::fprintf(stderr, "walk_bench: no sources below %s or no tool at %s\n",
                     tree.string().c_str(), tool.c_str());
        return 1;
    }
    std::printf("tree %s, tool %s, -j %s --dry-run\n", tree.string().c_str(), tool.c_str(),
                jobs.c_str());
    std::printf("%8s %9s %11s %9s %9s %9s %12s %7s\n", "files", "MB", "largest MB", "seconds",
                "files/s", "MB/s", "peak RSS MB", "status");
    for (std::size_t share : {8, 4, 2, 1}) {
        const std::size_t count = files.size() / share;
        std::uintmax_t bytes = 0;
        std::uintmax_t largest = 0;
        for (std::size_t i = 0; i < count; ++i) {
            bytes += files[i].bytes;
            largest = std::max(largest, files[i].bytes);
        }
        const RunFigures f = runTool(tool, jobs, files, count);
        const double mb = static_cast<double>(bytes) / 1e6;
        std::printf("%8zu %9.1f %11.1f %9.2f %9.0f %9.1f %12.1f %7d\n", count, mb,
                    static_cast<double>(largest) / 1e6, f.seconds,
                    static_cast<double>(count) / f.seconds, mb / f.seconds,
                    static_cast<double>(f.peakKilobytes) / 1024.0, f.status);
    }
    return 0;
#endif
}
