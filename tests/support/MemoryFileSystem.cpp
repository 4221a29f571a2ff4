#include "support/MemoryFileSystem.h"

namespace qw::test {
namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && isSeparator(path.back()))
        path.pop_back();
    return path;
}

// The entry name directly below `folder` on the way to `path`, or empty when
// `path` does not lie in `folder`.
std::string entryBelow(const std::string& folder, const std::string& path) {
    if (path.size() <= folder.size() + 1 || path.compare(0, folder.size(), folder) != 0 ||
        !isSeparator(path[folder.size()]))
        return {};
    std::string rest = path.substr(folder.size() + 1);
    std::size_t end = 0;
    while (end < rest.size() && !isSeparator(rest[end]))
        ++end;
    return rest.substr(0, end);
}

} // namespace

void MemoryFileSystem::failAll(FsOp op, std::string pathPart, std::string reason) {
    fail({op, std::move(pathPart), std::move(reason)});
}

void MemoryFileSystem::addFile(const std::string& path, std::string bytes) {
    files_[path] = std::move(bytes);
}

void MemoryFileSystem::addDirectory(const std::string& path) {
    directories_.insert(withoutTrailingSeparator(path));
}

const MemoryFileSystem::Failure* MemoryFileSystem::injected(FsOp op, const std::string& path) {
    for (auto& f : failures_) {
        if (f.op != op || f.remaining == 0)
            continue;
        if (!f.pathPart.empty() && path.find(f.pathPart) == std::string::npos)
            continue;
        if (f.skip > 0) {
            --f.skip;
            return nullptr;
        }
        if (f.remaining > 0)
            --f.remaining;
        return &f;
    }
    return nullptr;
}

void MemoryFileSystem::log(std::string call, const Failure* failure) {
    calls.push_back(failure ? call + " FAILED" : std::move(call));
}

bool MemoryFileSystem::holdsFolder(const std::string& path) const {
    const std::string folder = withoutTrailingSeparator(path);
    if (directories_.count(folder))
        return true;
    for (const auto& d : directories_)
        if (!entryBelow(folder, d).empty())
            return true;
    for (const auto& [name, bytes] : files_)
        if (!entryBelow(folder, name).empty())
            return true;
    return false;
}

IoResult MemoryFileSystem::readFile(const std::string& path, std::string& bytes) {
    const Failure* f = injected(FsOp::Read, path);
    log("read " + path, f);
    if (f)
        return IoResult::failure(f->reason);
    auto it = files_.find(path);
    if (it == files_.end())
        return IoResult::failure(holdsFolder(path) ? "is a directory"
                                                   : "no such file or directory");
    bytes = it->second;
    return IoResult::success();
}

IoResult MemoryFileSystem::writeFile(const std::string& path, std::string_view bytes) {
    const Failure* f = injected(FsOp::Write, path);
    log("write " + path, f);
    if (f) {
        if (f->damage == WriteDamage::HalfWritten)
            files_[path] = std::string(bytes.substr(0, bytes.size() / 2));
        return IoResult::failure(f->reason);
    }
    if (holdsFolder(path))
        return IoResult::failure("is a directory");
    files_[path] = std::string(bytes);
    return IoResult::success();
}

IoResult MemoryFileSystem::removeFile(const std::string& path) {
    const Failure* f = injected(FsOp::Remove, path);
    log("remove " + path, f);
    if (f)
        return IoResult::failure(f->reason);
    if (files_.erase(path) == 0)
        return IoResult::failure("no such file or directory");
    return IoResult::success();
}

IoResult MemoryFileSystem::renameFile(const std::string& from, const std::string& to) {
    const Failure* f = injected(FsOp::Rename, from + " -> " + to);
    log("rename " + from + " -> " + to, f);
    if (f)
        return IoResult::failure(f->reason);
    auto it = files_.find(from);
    if (it == files_.end())
        return IoResult::failure("no such file or directory");
    if (holdsFolder(to))
        return IoResult::failure("is a directory");
    std::string bytes = std::move(it->second);
    files_.erase(it);
    files_[to] = std::move(bytes);
    return IoResult::success();
}

bool MemoryFileSystem::isFile(const std::string& path) {
    const Failure* f = injected(FsOp::IsFile, path);
    log("isFile " + path, f);
    return !f && files_.count(path) != 0;
}

bool MemoryFileSystem::isDirectory(const std::string& path) {
    const Failure* f = injected(FsOp::IsDirectory, path);
    log("isDirectory " + path, f);
    return !f && holdsFolder(path);
}

std::int64_t MemoryFileSystem::fileSize(const std::string& path) {
    const Failure* f = injected(FsOp::FileSize, path);
    log("fileSize " + path, f);
    auto it = files_.find(path);
    if (f || it == files_.end())
        return -1;
    return static_cast<std::int64_t>(it->second.size());
}

std::vector<std::string> MemoryFileSystem::listDirectory(const std::string& path) {
    const Failure* f = injected(FsOp::List, path);
    log("list " + path, f);
    std::set<std::string> names;
    if (!f) {
        const std::string folder = withoutTrailingSeparator(path);
        for (const auto& [name, bytes] : files_)
            if (auto entry = entryBelow(folder, name); !entry.empty())
                names.insert(entry);
        for (const auto& d : directories_)
            if (auto entry = entryBelow(folder, d); !entry.empty())
                names.insert(entry);
    }
    return {names.begin(), names.end()};
}

IoResult MemoryFileSystem::createDirectory(const std::string& path) {
    const Failure* f = injected(FsOp::CreateDirectory, path);
    log("createDirectory " + path, f);
    if (f)
        return IoResult::failure(f->reason);
    if (files_.count(path))
        return IoResult::failure("file exists");
    directories_.insert(withoutTrailingSeparator(path));
    return IoResult::success();
}

} // namespace qw::test
