#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
};

// The platform's files.
FileSystem& realFileSystem();

} // namespace qw
