// The platform's files. The only place where the core calls the operating
// system for files; paths are byte strings handed to the platform unchanged,
// so a user's file names are never re-encoded. On Windows they become UTF-16
// by the ANSI code page, the conversion the ANSI functions make themselves,
// because only the wide functions reach paths longer than MAX_PATH.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/FileSystem.h"

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

std::wstring fromAnsi(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), n);
    return wide;
}

std::string toAnsi(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, bytes.data(), n, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(n - 1));
    return bytes;
}

// A path as the wide functions take it. Beyond MAX_PATH (less the 12
// characters that folder names must leave free) only the "\\?\" form
// works, and that form is taken literally: so it is made absolute first,
// with "\" separators and without "." or "..".
std::wstring widePath(const std::string& path) {
    std::wstring wide = fromAnsi(path);
    constexpr std::size_t kShortEnough = MAX_PATH - 12;
    if (wide.size() < kShortEnough || wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size)
        return wide;
    full.resize(n);
    if (full.rfind(L"\\\\", 0) == 0) // \\server\share
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str());
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

enum class OpenFor { Reading, Writing };

std::FILE* openFile(const std::string& path, OpenFor purpose) {
#ifdef _WIN32
    return _wfopen(widePath(path).c_str(), purpose == OpenFor::Reading ? L"rb" : L"wb");
#else
    return std::fopen(path.c_str(), purpose == OpenFor::Reading ? "rb" : "wb");
#endif
}

// A file opened for reading, closed with its reader.
class FileReader final : public ByteReader {
public:
    explicit FileReader(std::FILE* f) : f_(f) {}
    ~FileReader() override { std::fclose(f_); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    std::size_t read(char* into, std::size_t size) override {
        errno = 0;
        const std::size_t n = std::fread(into, 1, size, f_);
        if (n == 0 && std::ferror(f_))
            throw std::runtime_error("cannot read the file: " + describeErrno(errno ? errno : EIO));
        return n;
    }

private:
    std::FILE* f_;
};

class RealFileSystem final : public FileSystem {
public:
    std::unique_ptr<ByteReader> openForReading(const std::string& path, IoResult& result) override {
        if (isDirectoryPath(path)) {
            result = IoResult::failure("is a directory");
            return nullptr;
        }
        errno = 0;
        std::FILE* f = openFile(path, OpenFor::Reading);
        if (!f) {
            result = errnoFailure(errno);
            return nullptr;
        }
        result = IoResult::success();
        return std::make_unique<FileReader>(f);
    }

    IoResult readFile(const std::string& path, std::string& bytes) override {
        if (isDirectoryPath(path))
            return IoResult::failure("is a directory");
        errno = 0;
        std::FILE* f = openFile(path, OpenFor::Reading);
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
        std::FILE* f = openFile(path, OpenFor::Writing);
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
        if (!DeleteFileW(widePath(path).c_str()))
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
        if (!MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
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
        if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data) ||
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
        if (!CreateDirectoryW(widePath(path).c_str(), nullptr)) {
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
        WIN32_FIND_DATAW entry{};
        HANDLE h = FindFirstFileW(widePath(pattern).c_str(), &entry);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = toAnsi(entry.cFileName);
            if (name != "." && name != "..")
                names.push_back(std::move(name));
        } while (FindNextFileW(h, &entry));
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
