#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qw::test {

// The file operations a MemoryFileSystem can be told to fail.
enum class FsOp {
    Read,
    Write,
    Remove,
    Rename,
    IsFile,
    IsDirectory,
    FileSize,
    List,
    CreateDirectory
};

// A file system held in memory, for hermetic tests: files are path -> bytes
// ("\" and "/" both separate folders), folders exist when added or when a file
// lies in them. Every operation can be told to fail, and every call is logged.
class MemoryFileSystem : public FileSystem {
public:
    // How an injected write failure leaves the file it was writing.
    enum class WriteDamage { None, HalfWritten };

    struct Failure {
        FsOp op;
        std::string pathPart; // fails only for paths holding this; empty: any path
        std::string reason = "injected failure";
        int remaining = -1; // how many more calls fail; -1: all
        int skip = 0;       // calls that still succeed before the failing ones
        WriteDamage damage = WriteDamage::None;
    };

    void fail(Failure failure) { failures_.push_back(std::move(failure)); }
    void failAll(FsOp op, std::string pathPart = {}, std::string reason = "injected failure");
    void clearFailures() { failures_.clear(); }

    void addFile(const std::string& path, std::string bytes);
    void addDirectory(const std::string& path);
    bool has(const std::string& path) const { return files_.count(path) != 0; }
    // The bytes of a file; throws when there is none, so a test fails loudly.
    const std::string& bytes(const std::string& path) const { return files_.at(path); }
    const std::map<std::string, std::string>& files() const { return files_; }

    // One line per call: "write C:\x.pas", "rename a -> b", with " FAILED" on failures.
    std::vector<std::string> calls;

    IoResult readFile(const std::string& path, std::string& bytes) override;
    IoResult writeFile(const std::string& path, std::string_view bytes) override;
    IoResult removeFile(const std::string& path) override;
    IoResult renameFile(const std::string& from, const std::string& to) override;
    bool isFile(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::int64_t fileSize(const std::string& path) override;
    std::vector<std::string> listDirectory(const std::string& path) override;
    IoResult createDirectory(const std::string& path) override;

private:
    // The failure that applies to this call, counted as used; null when none.
    const Failure* injected(FsOp op, const std::string& path);
    void log(std::string call, const Failure* failure);
    bool holdsFolder(const std::string& path) const;

    std::map<std::string, std::string> files_;
    std::set<std::string> directories_;
    std::vector<Failure> failures_;
};

} // namespace qw::test
