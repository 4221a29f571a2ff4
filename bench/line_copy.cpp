// The line-copy limit: what reading a file, splitting it into lines and
// writing them out costs as a whole process, with nothing done per line. The
// figures of the tool on a large file are told against it.
//
//   line_copy FILE > /dev/null
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: line_copy FILE\n");
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
