// The platform's files. The only place where the core calls the operating
// system for files; paths are byte strings handed to the platform unchanged
// (the ANSI functions on Windows), so a user's file names are never re-encoded.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/FileSystem.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qw {
namespace {

// Messages read best in the middle of a sentence: "cannot read X: permission
// denied".
std::string asReason(std::string text) {
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z' &&
        !(text.size() > 1 && text[1] >= 'A' && text[1] <= 'Z'))
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text.empty() ? "unknown error" : text;
}

std::string describeErrno(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOENT:
        return "no such file or directory";
    case ENOSPC:
        return "no space left on the device";
    case EROFS:
        return "read-only file system";
    case EISDIR:
        return "is a directory";
    case EEXIST:
        return "file exists";
    default:
        return asReason(std::strerror(err));
    }
}

IoResult errnoFailure(int err) {
    return IoResult::failure(describeErrno(err ? err : EIO));
}

#ifdef _WIN32

std::string describeWindowsError(DWORD code) {
    switch (code) {
    case ERROR_ACCESS_DENIED:
        return "permission denied";
    case ERROR_FILE_NOT_FOUND:
        return "no such file";
    case ERROR_PATH_NOT_FOUND:
        return "no such folder";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "the file is in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "no space left on the device";
    case ERROR_WRITE_PROTECT:
        return "the medium is write-protected";
    case ERROR_NOT_SAME_DEVICE:
        return "not on the same drive";
    default:
        break;
    }
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, sizeof buffer, nullptr);
    if (n == 0)
        return "system error " + std::to_string(code);
    return asReason(std::string(buffer, n));
}

IoResult lastErrorFailure() {
    return IoResult::failure(describeWindowsError(GetLastError()));
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool isDirectoryPath(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isFilePath(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int flushToDisk(std::FILE* f) {
    return _commit(_fileno(f));
}

#else

bool statOf(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectoryPath(const std::string& path) {
    struct stat st {};
    return statOf(path, st) && S_ISDIR(st.st_mode);
}

bool isFilePath(const std::string& path) {
    struct stat st {};
    return statOf(path, st) && S_ISREG(st.st_mode);
}

int flushToDisk(std::FILE* f) {
    return ::fsync(fileno(f));
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A rename lasts across a power cut only once its folder is on the disk too.
// Best effort: the rename itself has already happened.
void flushFolder(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

#endif

class RealFileSystem final : public FileSystem {
public:
    IoResult readFile(const std::string& path, std::string& bytes) override {
        if (isDirectoryPath(path))
            return IoResult::failure("is a directory");
        errno = 0;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return errnoFailure(errno);
        bytes.clear();
        char buf[1 << 16];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.append(buf, n);
        const int err = std::ferror(f) ? (errno ? errno : EIO) : 0;
        std::fclose(f);
        if (err)
            return errnoFailure(err);
        return IoResult::success();
    }

    IoResult writeFile(const std::string& path, std::string_view bytes) override {
        if (isDirectoryPath(path))
            return IoResult::failure("is a directory");
        errno = 0;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return errnoFailure(errno);
        int err = 0;
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            err = errno ? errno : EIO;
        if (!err && std::fflush(f) != 0)
            err = errno ? errno : EIO;
        if (!err && flushToDisk(f) != 0)
            err = errno ? errno : EIO;
        if (std::fclose(f) != 0 && !err)
            err = errno ? errno : EIO;
        if (err)
            return errnoFailure(err);
        return IoResult::success();
    }

    IoResult removeFile(const std::string& path) override {
        if (isDirectoryPath(path))
            return IoResult::failure("is a directory");
#ifdef _WIN32
        if (!DeleteFileA(path.c_str()))
            return lastErrorFailure();
#else
        if (::unlink(path.c_str()) != 0)
            return errnoFailure(errno);
#endif
        return IoResult::success();
    }

    IoResult renameFile(const std::string& from, const std::string& to) override {
#ifdef _WIN32
        // rename() on Windows refuses an existing target; MoveFileEx replaces it.
        if (!MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return lastErrorFailure();
#else
        if (std::rename(from.c_str(), to.c_str()) != 0)
            return errnoFailure(errno);
        flushFolder(to);
#endif
        return IoResult::success();
    }

    bool isFile(const std::string& path) override {
        return isFilePath(path);
    }

    bool isDirectory(const std::string& path) override {
        return isDirectoryPath(path);
    }

    std::int64_t fileSize(const std::string& path) override {
#ifdef _WIN32
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return -1;
        return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
#else
        struct stat st {};
        if (!statOf(path, st) || !S_ISREG(st.st_mode))
            return -1;
        return static_cast<std::int64_t>(st.st_size);
#endif
    }

    IoResult createDirectory(const std::string& path) override {
#ifdef _WIN32
        if (!CreateDirectoryA(path.c_str(), nullptr)) {
            const DWORD code = GetLastError();
            if (code == ERROR_ALREADY_EXISTS && isDirectoryPath(path))
                return IoResult::success();
            return IoResult::failure(describeWindowsError(code));
        }
#else
        if (::mkdir(path.c_str(), 0777) != 0) {
            const int err = errno;
            if (err == EEXIST && isDirectoryPath(path))
                return IoResult::success();
            return errnoFailure(err);
        }
#endif
        return IoResult::success();
    }

    std::vector<std::string> listDirectory(const std::string& path) override {
        std::vector<std::string> names;
#ifdef _WIN32
        std::string pattern = path;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' &&
            pattern.back() != ':')
            pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAA entry{};
        HANDLE h = FindFirstFileA(pattern.c_str(), &entry);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..")
                names.push_back(std::move(name));
        } while (FindNextFileA(h, &entry));
        FindClose(h);
#else
        DIR* dir = ::opendir(path.c_str());
        if (!dir)
            return names;
        while (const dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(std::move(name));
        }
        ::closedir(dir);
#endif
        return names;
    }
};

} // namespace

FileSystem& realFileSystem() {
    static RealFileSystem fs;
    return fs;
}

} // namespace qw
