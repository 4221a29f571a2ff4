#include "LoadedLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qw::plugin::test {

#ifdef _WIN32

LoadedLibrary::LoadedLibrary(std::string path) : path_(std::move(path)) {
    handle_ = reinterpret_cast<void*>(LoadLibraryA(path_.c_str()));
    if (!handle_)
        error_ = "LoadLibrary failed with error " + std::to_string(GetLastError());
}

void* LoadedLibrary::symbol(const char* name) const {
    if (!handle_)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void LoadedLibrary::close() {
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

bool LoadedLibrary::isLoaded(const std::string& path) {
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, path.c_str(),
                              &module) &&
           module != nullptr;
}

#else

LoadedLibrary::LoadedLibrary(std::string path) : path_(std::move(path)) {
    // RTLD_LOCAL: the library's symbols stay its own, as in a host that
    // knows nothing of them.
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        if (const char* why = dlerror())
            error_ = why;
}

void* LoadedLibrary::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

void LoadedLibrary::close() {
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
}

bool LoadedLibrary::isLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

#endif

LoadedLibrary::~LoadedLibrary() {
    close();
}

} // namespace qw::plugin::test
