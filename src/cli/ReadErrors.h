#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace qw::cli {

// A file system that passes every call on and remembers why the last read
// failed: the pass only says that it could not process a file, while the tool
// says why ("cannot read 'x.pas': No such file or directory").
class ReadErrors final : public FileSystem {
public:
    explicit ReadErrors(FileSystem& inner) : inner_(inner) {}

    // The reason of the last failed read of `path`; empty when none.
    std::string reasonFor(const std::string& path) const {
        return path == failedPath_ ? failedReason_ : std::string();
    }

    IoResult readFile(const std::string& path, std::string& bytes) override {
        IoResult r = inner_.readFile(path, bytes);
        if (!r) {
            failedPath_ = path;
            failedReason_ = r.error;
        }
        return r;
    }
    std::unique_ptr<ByteReader> openForReading(const std::string& path, IoResult& result) override {
        std::unique_ptr<ByteReader> reader = inner_.openForReading(path, result);
        if (!result) {
            failedPath_ = path;
            failedReason_ = result.error;
        }
        return reader;
    }
    IoResult writeFile(const std::string& path, std::string_view bytes) override {
        return inner_.writeFile(path, bytes);
    }
    IoResult removeFile(const std::string& path) override { return inner_.removeFile(path); }
    IoResult renameFile(const std::string& from, const std::string& to) override {
        return inner_.renameFile(from, to);
    }
    bool isFile(const std::string& path) override { return inner_.isFile(path); }
    bool isDirectory(const std::string& path) override { return inner_.isDirectory(path); }
    std::int64_t fileSize(const std::string& path) override { return inner_.fileSize(path); }
    std::vector<std::string> listDirectory(const std::string& path) override {
        return inner_.listDirectory(path);
    }
    IoResult createDirectory(const std::string& path) override {
        return inner_.createDirectory(path);
    }

private:
    FileSystem& inner_;
    std::string failedPath_;
    std::string failedReason_;
};

} // namespace qw::cli
