#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/FileSystem.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qw {
namespace {

namespace fs = std::filesystem;

std::string describe(int err) {
    std::string s = std::strerror(err);
    if (!s.empty())
        s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
    return s;
}

std::string describe(const std::error_code& ec) {
    std::string s = ec.message();
    if (!s.empty())
        s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
    return s;
}

class RealFileSystem final : public FileSystem {
public:
    IoResult readFile(const std::string& path, std::string& bytes) override {
        std::error_code ec;
        if (fs::is_directory(fs::path(path), ec))
            return IoResult::failure("is a directory");
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return IoResult::failure(describe(errno));
        bytes.clear();
        char buf[1 << 16];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.append(buf, n);
        const bool failed = std::ferror(f) != 0;
        const int err = errno;
        std::fclose(f);
        if (failed)
            return IoResult::failure(describe(err));
        return IoResult::success();
    }

    IoResult writeFile(const std::string& path, std::string_view bytes) override {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return IoResult::failure(describe(errno));
        bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = std::fflush(f) == 0 && ok;
#ifdef _WIN32
        ok = ok && _commit(_fileno(f)) == 0;
#else
        ok = ok && fsync(fileno(f)) == 0;
#endif
        const int err = errno;
        ok = std::fclose(f) == 0 && ok;
        if (!ok)
            return IoResult::failure(describe(err ? err : EIO));
        return IoResult::success();
    }

    IoResult removeFile(const std::string& path) override {
        std::error_code ec;
        if (!fs::remove(fs::path(path), ec))
            return IoResult::failure(ec ? describe(ec) : "no such file");
        return IoResult::success();
    }

    IoResult renameFile(const std::string& from, const std::string& to) override {
        std::error_code ec;
        fs::rename(fs::path(from), fs::path(to), ec);
        if (ec)
            return IoResult::failure(describe(ec));
        return IoResult::success();
    }

    bool isFile(const std::string& path) override {
        std::error_code ec;
        return fs::is_regular_file(fs::path(path), ec);
    }

    bool isDirectory(const std::string& path) override {
        std::error_code ec;
        return fs::is_directory(fs::path(path), ec);
    }

    std::int64_t fileSize(const std::string& path) override {
        std::error_code ec;
        auto size = fs::file_size(fs::path(path), ec);
        return ec ? -1 : static_cast<std::int64_t>(size);
    }

    std::vector<std::string> listDirectory(const std::string& path) override {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(fs::path(path), ec), end; !ec && it != end;
             it.increment(ec))
            names.push_back(it->path().filename().string());
        return names;
    }
};

} // namespace

FileSystem& realFileSystem() {
    static RealFileSystem fs;
    return fs;
}

} // namespace qw
