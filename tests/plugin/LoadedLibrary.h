#pragma once

#include <string>

namespace qw::plugin::test {

// A shared library loaded by the platform's loader, as the IDE loads the
// plug-in. The one file with the loader's calls.
class LoadedLibrary {
public:
    explicit LoadedLibrary(std::string path);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // The loader's complaint when loading failed.
    const std::string& error() const { return error_; }
    // The address of an exported symbol; null when there is none.
    void* symbol(const char* name) const;
    // Unloads the library (also done by the destructor).
    void close();

    // Whether the library at `path` is still loaded in this process.
    static bool isLoaded(const std::string& path);

private:
    std::string path_;
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace qw::plugin::test
