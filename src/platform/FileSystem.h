#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/ByteReader.h"

namespace qw {

// Outcome of one file operation; `error` says why it failed, in words fit for
// a message ("permission denied").
struct IoResult {
    bool ok = true;
    std::string error;
    explicit operator bool() const { return ok; }
    static IoResult success() { return {}; }
    static IoResult failure(std::string why) { return {false, std::move(why)}; }
};

// Every file operation of the core goes through this seam, so that tests can
// make any of them fail.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual IoResult readFile(const std::string& path, std::string& bytes) = 0;
    // Opens a file for reading piece by piece; null, with `result` telling
    // why, when it cannot be opened. The default reads it whole through
    // readFile, which is all a file system in memory needs.
    virtual std::unique_ptr<ByteReader> openForReading(const std::string& path, IoResult& result);
    // Creates or truncates, writes everything and flushes to the disk.
    virtual IoResult writeFile(const std::string& path, std::string_view bytes) = 0;
    virtual IoResult removeFile(const std::string& path) = 0;
    // Replaces `to` when it exists.
    virtual IoResult renameFile(const std::string& from, const std::string& to) = 0;
    virtual bool isFile(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    virtual std::int64_t fileSize(const std::string& path) = 0; // -1 when unknown
    // Names (not paths) of the entries of a folder; empty on failure.
    virtual std::vector<std::string> listDirectory(const std::string& path) = 0;
    // Creates one folder (its parent must exist); succeeds when it is there already.
    virtual IoResult createDirectory(const std::string& path) {
        (void)path;
        return IoResult::failure("cannot create folders");
    }
};

// The platform's files.
FileSystem& realFileSystem();

// A name beside `path`, in the same folder, that no file or folder has yet: a
// new text is written there first and then renamed over `path`, which stays
// atomic only within one folder. Empty when no such name can be found.
inline std::string temporaryNameBeside(FileSystem& fs, const std::string& path) {
    constexpr int kAttempts = 100;
    for (int n = 0; n < kAttempts; ++n) {
        std::string name = path + ".qwtmp" + (n == 0 ? std::string() : std::to_string(n));
        if (!fs.isFile(name) && !fs.isDirectory(name))
            return name;
    }
    return {};
}

} // namespace qw
