// The settings in the Windows registry. Compiled on Windows only.

#ifdef _WIN32

#include "platform/RegistrySettingsStore.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace qw {
namespace {

std::string describe(LONG code) {
    if (code == ERROR_ACCESS_DENIED)
        return "permission denied";
    char buffer[512] = {};
    const DWORD n =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "registry error " + std::to_string(code) : text;
}

class RegistrySettingsStore final : public SettingsStore {
public:
    explicit RegistrySettingsStore(std::string key) : keyPath_(std::move(key)) {}
    ~RegistrySettingsStore() override { (void)close(); }
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    IoResult open() override {
        (void)close();
        LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                                  &key_, nullptr);
        // A key the user may read but not change still gives the settings.
        if (rc == ERROR_ACCESS_DENIED)
            rc = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_QUERY_VALUE, &key_);
        if (rc != ERROR_SUCCESS) {
            key_ = nullptr;
            return failure("open", rc);
        }
        return IoResult::success();
    }

    std::optional<std::string> readString(std::string_view name) override {
        if (!key_)
            return std::nullopt;
        const std::string valueName(name);
        // The value may grow between asking its size and reading it.
        for (int attempt = 0; attempt < 3; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            if (RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, nullptr, &size) !=
                    ERROR_SUCCESS ||
                type != REG_SZ)
                return std::nullopt;
            std::string data(size, '\0');
            const LONG rc = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
            if (rc == ERROR_MORE_DATA)
                continue;
            if (rc != ERROR_SUCCESS || type != REG_SZ)
                return std::nullopt;
            data.resize(size);
            // The stored bytes need not end in a NUL, or may hold several.
            const auto nul = data.find('\0');
            if (nul != std::string::npos)
                data.resize(nul);
            return data;
        }
        return std::nullopt;
    }

    std::optional<std::int32_t> readInteger(std::string_view name) override {
        if (!key_)
            return std::nullopt;
        const std::string valueName(name);
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key_, valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return static_cast<std::int32_t>(value);
    }

    IoResult writeString(std::string_view name, std::string_view value) override {
        const std::string text(value); // with the NUL that REG_SZ data ends in
        return set(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    }

    IoResult writeInteger(std::string_view name, std::int32_t value) override {
        const DWORD data = static_cast<DWORD>(value);
        return set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

    IoResult close() override {
        if (!key_)
            return IoResult::success();
        const LONG rc = RegCloseKey(key_);
        key_ = nullptr;
        return rc == ERROR_SUCCESS ? IoResult::success() : failure("close", rc);
    }

private:
    IoResult set(std::string_view name, DWORD type, const BYTE* data, DWORD size) {
        if (!key_)
            return IoResult::failure("the registry key " + keyPath_ + " is not open");
        const std::string valueName(name);
        const LONG rc = RegSetValueExA(key_, valueName.c_str(), 0, type, data, size);
        if (rc != ERROR_SUCCESS)
            return IoResult::failure("cannot write " + valueName + " under HKEY_CURRENT_USER\\" +
                                     keyPath_ + ": " + describe(rc));
        return IoResult::success();
    }

    IoResult failure(const char* what, LONG rc) const {
        return IoResult::failure("cannot " + std::string(what) +
                                 " the registry key HKEY_CURRENT_USER\\" + keyPath_ + ": " +
                                 describe(rc));
    }

    std::string keyPath_;
    HKEY key_ = nullptr;
};

} // namespace

std::unique_ptr<SettingsStore> registrySettingsStore(std::string key) {
    return std::make_unique<RegistrySettingsStore>(std::move(key));
}

} // namespace qw

#endif
