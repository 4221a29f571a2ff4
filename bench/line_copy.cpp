// The line-copy limit: what reading a file, splitting it into lines and
// writing them out costs as a whole process, with nothing done per line. The
// figures of the tool on a large file are told against it.
//
// With --hold, every line is held in the tool's own result editor until the
// end and only then written, as the tool must do (an aborted pass writes
// nothing, and a save is checked whole): the cost of the pass is what the
// tool takes beyond this.
//
// With --streams, the lines go the way a short program copies them:
// std::getline from a file stream, each line written to std::cout. It is a
// common yardstick and slower than the copy above, which reads large pieces.
//
//   line_copy [--hold | --streams] FILE > /dev/null
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/LargeTextMemory.h"
#include "text/LineBreaks.h"
#include "text/LineSplitter.h"
#include "text/ResultEditor.h"

namespace {

int holdLines(const char* path) {
    qw::IoResult opened;
    const auto reader = qw::realFileSystem().openForReading(path, opened);
    if (!reader) {
        std::fprintf(stderr, "%s: %s\n", path, opened.error.c_str());
        return 1;
    }
    qw::LineBreaks breaks;
    qw::LineSplitter lines(*reader, breaks);
    qw::ResultEditor editor(qw::largeTextMemory());
    // The line list is sized from the file's size, as the pass sizes it.
    editor.reserve(static_cast<int>(qw::realFileSystem().fileSize(path) / 20));
    while (!lines.atEnd())
        editor.append(lines.next());
    editor.writeText("\n", qw::ResultEditor::FinalBreak::Yes, [](std::string_view piece) {
        std::fwrite(piece.data(), 1, piece.size(), stdout);
        return true;
    });
    return 0;
}

int copyThroughStreams(const char* path) {
    std::ios::sync_with_stdio(false);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::perror(path);
        return 1;
    }
    std::string line;
    while (std::getline(in, line))
        std::cout << line << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--hold")
        return holdLines(argv[2]);
    if (argc == 3 && std::string_view(argv[1]) == "--streams")
        return copyThroughStreams(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: line_copy [--hold | --streams] FILE\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<char> buffer(std::size_t{1} << 18);
    std::size_t kept = 0;
    std::string out;
    std::string line;
    for (;;) {
        const std::size_t n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, in);
        const std::size_t size = kept + n;
        std::size_t pos = 0;
        for (;;) {
            const void* lf = std::memchr(buffer.data() + pos, '\n', size - pos);
            if (!lf)
                break;
            const std::size_t end =
                static_cast<std::size_t>(static_cast<const char*>(lf) - buffer.data());
            line.assign(buffer.data() + pos, end - pos); // each line as a string of its own
            out += line;
            out += '\n';
            pos = end + 1;
        }
        kept = size - pos;
        std::memmove(buffer.data(), buffer.data() + pos, kept);
        if (kept == buffer.size())
            buffer.resize(buffer.size() * 2);
        if (out.size() >= (std::size_t{1} << 16) || n == 0) {
            if (n == 0)
                out.append(buffer.data(), kept);
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
        if (n == 0)
            break;
    }
    std::fclose(in);
    return 0;
}
