#include <windows.h>

#include "platform/system.h"

namespace {
class Win32System final : public System {
  public:
    ErrorCode CopyFile(const std::string& source, const std::string& destination) override {
        if (::CopyFileA(source.c_str(), destination.c_str(), FALSE))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        return error ? error : ERROR_INVALID_FUNCTION;
    }

    ErrorCode OpenKeyForWriting(RegistryRoot root, const char* subKey, RegistryKey& key) override {
        HKEY opened = nullptr;
        const LONG status = RegOpenKeyExA(
            root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, subKey, 0,
            KEY_SET_VALUE, &opened);
        key = opened;
        return static_cast<ErrorCode>(status);
    }

    ErrorCode SetStringValue(RegistryKey key, const char* name, const char* text,
                             std::uint32_t size) override {
        return static_cast<ErrorCode>(RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_SZ,
                                                     reinterpret_cast<const BYTE*>(text), size));
    }

    void CloseKey(RegistryKey key) override { RegCloseKey(static_cast<HKEY>(key)); }

    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

    std::string ErrorText(ErrorCode error) override {
        char* text = nullptr;
        const DWORD length =
            FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
        std::string message = length && text ? std::string(text, length) : std::string();
        if (text)
            LocalFree(text);
        while (!message.empty() &&
               (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
            message.pop_back();
        }
        return message;
    }
};
}  // namespace

System& RealSystem() {
    static Win32System system;
    return system;
}
